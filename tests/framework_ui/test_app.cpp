#include "test_app.h"

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
ON_COMMAND(32772, OnAttributeCommand)
END_MESSAGE_MAP()

namespace {
TestApp theApp;
}

TestApp& testApp() {
    return theApp;
}
