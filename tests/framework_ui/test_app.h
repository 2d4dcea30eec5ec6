// The application object of the framework's window tests.
#pragma once

#include <vedrix/framework/ui.h>

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("Vedrix test") {}
    int m_attributeCommands = 0;

protected:
    void OnAttributeCommand() { ++m_attributeCommands; }
    DECLARE_MESSAGE_MAP()
};

TestApp& testApp();
