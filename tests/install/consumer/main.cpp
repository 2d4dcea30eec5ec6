// Reads and writes a structure through the installed model, as a host module does.
#include <cstdio>
#include <sstream>
#include <string>

#include <vedrix/model.h>

int main() {
    Zel_GM_Root root("Consumer");
    Zel_GM_Level* building = root.addSublevel(1, 1, 0, "Building", 1, nullptr);
    building->addSublevel(10, 2, 1, "42", 0, nullptr);
    building->addAttributeItem("Height", "12", CAttribData::GetEnumType("Number"));

    std::ostringstream hre;
    root.writehre(hre);
    hre << "#ATTRIBUTES:\n";
    root.writeAttributes(hre);
    std::ostringstream lis;
    root.writelis(lis);

    Zel_GM_Root back("Consumer");
    std::istringstream hreIn(hre.str());
    std::istringstream lisIn(lis.str());
    std::istringstream attrIn(hre.str());
    if (back.readhre(hreIn, 1) != 0 || back.readlis(lisIn, 1) != 0) {
        std::puts("consumer: reading failed");
        return 1;
    }
    back.readAttributes(attrIn);
    Zel_GM_Level* level = back.searchLevel(1);
    char name[32];
    if (level == nullptr || std::string(level->getName(name, sizeof name)) != "Building" ||
        level->GetSublevels().size() != 1 || level->getAttributes().GetCount() != 1) {
        std::puts("consumer: structure differs");
        return 1;
    }
    std::puts("consumer: ok");
    return 0;
}
