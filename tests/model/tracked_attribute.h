// An attribute that reports its destruction by its name, so that a test can
// tell which attributes were freed, and how often.
#pragma once

#include <vedrix/model.h>

#include <string>
#include <vector>

namespace model_test_support {

class TrackedAttribute : public CAttribData {
public:
    TrackedAttribute(const char* name, std::vector<std::string>& destroyed)
        : CAttribData(name, "", String, 0, 0, 1), m_destroyed(destroyed) {}
    ~TrackedAttribute() override { m_destroyed.emplace_back(getName()); }

private:
    std::vector<std::string>& m_destroyed;
};

}  // namespace model_test_support
