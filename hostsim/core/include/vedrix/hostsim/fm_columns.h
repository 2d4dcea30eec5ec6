// The columns of the host's facility-management tables, in file order.
#pragma once

#include <string>
#include <vector>

namespace vedrix::hostsim {

// The view file.
inline const std::vector<std::string>& ViewColumns() {
    static const std::vector<std::string> names{"ActiveFlag",    "NameOfView", "UUID",
                                                "FileSetNumber", "CodePath",   "DateOfReplication",
                                                "UUID_Original", "LockFlag"};
    return names;
}

// The drawing-file information.
inline const std::vector<std::string>& TbColumns() {
    static const std::vector<std::string> names{"TBNumber", "ParentID",   "UUID_Tb",
                                                "UUID_Ref", "InsertFlag", "FernoFlag"};
    return names;
}

}  // namespace vedrix::hostsim
