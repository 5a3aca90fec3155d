#include "views_fixture.h"

#include "app/startup_state.h"
#include "demo/bmp_writer.h"
#include "engine/utilities.h"

#include <QTest>

#include <filesystem>

namespace fs = std::filesystem;

namespace tavo::test {

ViewsWindow::ViewsWindow(std::string_view settings) {
    app::StartupState& state = app::Startup();
    state = app::StartupState();
    state.programFolder = "C:\\Tavo\\";
    state.title = "Tavo";
    state.colorNormal = 0x0000FF;       // red
    state.colorFocus = 0x00FF00;        // green
    state.colorDown = 0xFF0000;         // blue
    state.colorIntroduction = 0x000080; // dark red
    prefix.WriteHost("C:\\Tavo\\Tavo.ini", settings);
    SetSettingsIniPath("C:\\Tavo\\Tavo.ini");
    window_.resize(600, 450);
}

ViewsWindow::~ViewsWindow() {
    app::Startup() = app::StartupState();
}

void ViewsWindow::Picture(std::string_view name, int width, int height, unsigned colour) const {
    prefix.WriteHost("C:\\Tavo\\" + std::string(name),
                     demo::EncodeBmp24(width, height, [=](int, int) { return colour; }));
}

void ViewsWindow::InstallDemoPackage() const {
    fs::copy_file(fs::path(DEMO_SOURCE) / "Tavo.ini", prefix.HostOf("C:\\Tavo\\Tavo.ini"),
                  fs::copy_options::overwrite_existing);
    fs::copy(fs::path(DEMO_PACKAGE) / "Skin", prefix.HostOf("C:\\Tavo\\Skin"),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

bool ViewsWindow::Show() {
    window_.show();
    return QTest::qWaitForWindowExposed(&window_);
}

} // namespace tavo::test
