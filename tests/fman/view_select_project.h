// A facility-management project "works" for the view selection's tests: two
// buildings holding views of every kind the view file can describe, opened
// through tb_fman_ViewSelect as the host opens it.
#pragma once

#include <vedrix/hostsim/config.h>
#include <vedrix/vedrix.h>

#include <string>

#include "launch_fixture.h"

namespace viewselect_tests {

namespace fs = std::filesystem;

// The heading line the host's view file begins with.
inline const std::string kViewFileHeading =
    "#ActiveFlag\tNameOfView\tUUID\tFileSetNumber\tCodePath\tDateOfReplication\tUUID_Original\t"
    "LockFlag\n";

// One line of the view file.
inline std::string viewLine(const std::string& name, const std::string& id,
                            const std::string& codePath, const std::string& date,
                            const std::string& original, const std::string& lock,
                            const std::string& active = "0", const std::string& fileSet = "0") {
    return active + "\t" + name + "\t" + id + "\t" + fileSet + "\t" + codePath + "\t" + date +
           "\t" + original + "\t" + lock + "\n";
}

class WorksTest : public entry_tests::LaunchTest {
protected:
    void SetUp() override {
        LaunchTest::SetUp();
        hre =
            "#DATA:\n"
            "\t1\t1\t0\t2\tNorth wing\n"
            "\t2\t2\t1\t0\tPlans\tV-PLANS\n"
            "\t2\t3\t1\t0\tPlans variant\tV-VAR\n"
            "\t2\t4\t1\t0\tLocked plans\tV-LOCKED\n"
            "\t2\t5\t1\t0\tLocked variant\tV-LOCKVAR\n"
            "\t1\t6\t0\t2\tSouth wing\n"
            "\t2\t7\t6\t0\tFresh\tV-FRESH\n"
            "\t2\t8\t6\t0\tZero\tV-ZERO\n"
            "\t2\t9\t6\t0\tMaintained\tV-MAINT\n"
            "\t2\t10\t6\t0\tSoon\tV-SOON\n"
            "\t2\t11\t6\t0\tFar future\tV-HUGE\n"
            "\t2\t12\t6\t0\tOdd lock\tV-ODD\n"
            "\t2\t13\t6\t0\tUnlisted\tV-NONE\n";
        views = kViewFileHeading +
                viewLine("Plans", "V-PLANS", "B1.1", "45000,5", "0", "0", "1", "7") +
                viewLine("Plans variant", "V-VAR", "<without path>", "45000.25", "V-PLANS", "0") +
                viewLine("Locked plans", "V-LOCKED", "B1.3", "44927", "0", "1") +
                viewLine("Locked variant", "V-LOCKVAR", "B1.4", "-1", "V-LOCKED", "1") +
                viewLine("Fresh", "V-FRESH", "B2.1", "-1", "0", "0") +
                viewLine("Zero", "V-ZERO", "B2.2", "0", "0", "0") +
                viewLine("Maintained", "V-MAINT", "B2.3", "<data maintenance>", "0", "0") +
                viewLine("Soon", "V-SOON", "B2.4", "soon", "0", "0") +
                viewLine("Far future", "V-HUGE", "B2.5", "1e300", "0", "0") +
                viewLine("Odd lock", "V-ODD", "B2.6", "45000", "0", "x");
    }

    void writeProject() {
        entry_tests::writeFile(project / "works.hre", hre);
        entry_tests::writeFile(project / vedrix::hostsim::kViewFileName, views);
    }

    std::string viewFile() const {
        return entry_tests::readFile(project / vedrix::hostsim::kViewFileName);
    }

    // The view selection in `mode`, its pick going to `picked` (100 bytes).
    int select(int mode, char* picked) {
        return tb_fman_ViewSelect(nullptr, 0, "en", project.string().c_str(), "Works", "works.lis",
                                  0, mode, picked);
    }

    std::string hre, views;
};

}  // namespace viewselect_tests
