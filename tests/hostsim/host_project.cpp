#include "host_project.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace hostsim_test {

using namespace vedrix::hostsim;

HostProject::HostProject() {
    std::random_device random;
    for (;;) {
        m_dir = fs::temp_directory_path() / ("vedrix-host-" + std::to_string(random()));
        if (fs::create_directory(m_dir)) {
            break;
        }
    }
    m_config.project = m_dir.string();
    m_config.settingsFile = (m_dir / "settings.ini").string();
    apply();
}

HostProject::~HostProject() {
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
}

void HostProject::apply() {
    ASSERT_TRUE(UseHostConfig((m_dir / "host.cfg").string().c_str(), m_config));
}

void HostProject::addDrawingFile(int number, const std::string& name, bool hasContent,
                                 const std::string& content) {
    DrawingHeader header;
    header.number = number;
    header.name = name;
    header.content = hasContent;
    ASSERT_TRUE(NewIdentifier(header.uuid));
    addDrawingFile(header, content);
}

void HostProject::addDrawingFile(const DrawingHeader& header, const std::string& content) {
    std::vector<char> record(ZEL_TB_RECORD_SIZE);
    EncodeHeader(header, record.data());
    ASSERT_EQ(WriteDrawingFile(drawingFile(header.number).string(), record.data(), content),
              ZEL_TB_OK);
}

fs::path HostProject::drawingFile(int number) const {
    return m_dir / DrawingFileName(number);
}

void HostProject::writeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(m_dir / name, std::ios::binary);
    out << bytes;
}

std::string HostProject::readFile(const std::string& name) const {
    std::ifstream in(m_dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string HostProject::readText(const std::string& name) const {
    std::ifstream in(m_dir / name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

DrawingHeader HostProject::header(int number) const {
    DrawingHeader result;
    EXPECT_EQ(ReadHeader(drawingFile(number).string(), result), ZEL_TB_OK);
    return result;
}

}  // namespace hostsim_test
