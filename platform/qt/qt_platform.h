#pragma once

#include "platform/platform.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_file_system.h"
#include "platform/qt/qt_settings.h"
#include "platform/qt/std_random.h"

namespace qrn::platform {

// The services of this system in one object. The window services are handed in: a windowed
// program passes its widget Ui, the command-line tool a NoUi.
class QtPlatform : public Platform {
public:
    explicit QtPlatform(Ui& ui) : ui_(ui) {}

    FileSystem& files() override { return files_; }
    Application& app() override { return app_; }
    Settings& settings() override { return settings_; }
    Random& random() override { return random_; }
    Ui& ui() override { return ui_; }

private:
    QtFileSystem files_;
    QtApplication app_;
    QtSettings settings_;
    StdRandom random_;
    Ui& ui_;
};

}  // namespace qrn::platform
