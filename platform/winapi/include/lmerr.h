// Network error codes (the NERR_ range, 2100 to 2999), headless build. Their
// texts live in the network message module ("netmsg.dll"), not in the system
// table: see FormatMessageA in <winbase.h>.
#pragma once

#define NERR_Success 0
#define NERR_BASE 2100
#define MAX_NERR (NERR_BASE + 899)

#define NERR_NetNotStarted (NERR_BASE + 2)
#define NERR_UnknownServer (NERR_BASE + 3)
#define NERR_ServerNotStarted (NERR_BASE + 14)
#define NERR_UserNotFound (NERR_BASE + 121)
#define NERR_UseNotFound (NERR_BASE + 150)
#define NERR_NetNameNotFound (NERR_BASE + 210)
