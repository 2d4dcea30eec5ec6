// "Zelkar_DataResource20.dll": the naming type of scenario copies comes from
// the host's configuration.
#include <zelkar/data_resource.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/guard.h>

using namespace vedrix::hostsim;

int getScenarioTbNameType(void) {
    return Guarded(0, [] { return CurrentHostConfig().namingType; });
}
