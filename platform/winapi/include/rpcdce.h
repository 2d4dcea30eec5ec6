// UUIDs of the RPC run time, headless build. UuidCreate gives random
// (version 4) UUIDs; their string form is the 36-character lower-case one,
// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx".
#pragma once

#include <windef.h>

#ifndef GUID_DEFINED
#define GUID_DEFINED
// Data1 is 32 bits, as on the platform, so that a GUID is 16 bytes.
typedef struct _GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID;
#endif

#ifndef UUID_DEFINED
#define UUID_DEFINED
typedef GUID UUID;
#endif

typedef LONG RPC_STATUS;
typedef unsigned char* RPC_CSTR;
#define RPC_ENTRY

#define RPC_S_OK ERROR_SUCCESS
#define RPC_S_OUT_OF_MEMORY ERROR_OUTOFMEMORY
#define RPC_S_INVALID_ARG ERROR_INVALID_PARAMETER
#define RPC_S_INVALID_STRING_UUID 1705L
#define RPC_S_UUID_NO_ADDRESS 1739L
#define RPC_S_UUID_LOCAL_ONLY 1824L

RPCRTAPI RPC_STATUS RPC_ENTRY UuidCreate(UUID* Uuid);
RPCRTAPI RPC_STATUS RPC_ENTRY UuidCreateNil(UUID* NilUuid);
// Allocates the string form; RpcStringFreeA releases it and nulls the pointer.
RPCRTAPI RPC_STATUS RPC_ENTRY UuidToStringA(const UUID* Uuid, RPC_CSTR* StringUuid);
// Accepts the 36-character form in either case; a null string is the nil UUID.
RPCRTAPI RPC_STATUS RPC_ENTRY UuidFromStringA(RPC_CSTR StringUuid, UUID* Uuid);
RPCRTAPI RPC_STATUS RPC_ENTRY RpcStringFreeA(RPC_CSTR* String);
RPCRTAPI int RPC_ENTRY UuidIsNil(UUID* Uuid, RPC_STATUS* Status);
RPCRTAPI int RPC_ENTRY UuidEqual(UUID* Uuid1, UUID* Uuid2, RPC_STATUS* Status);
// -1, 0 or 1, comparing field by field.
RPCRTAPI int RPC_ENTRY UuidCompare(UUID* Uuid1, UUID* Uuid2, RPC_STATUS* Status);

#define UuidToString UuidToStringA
#define UuidFromString UuidFromStringA
#define RpcStringFree RpcStringFreeA
