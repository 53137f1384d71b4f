#pragma once

// The plug-in's real services for the library tests, but for a settings store in memory and a
// Ui that records its messages instead of blocking on them and cancels every file dialog.

#include <QDir>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_file_system.h"
#include "platform/qt/std_random.h"
#include "tests/plugin/test_qrn_platform.h"

namespace qrn::libtest {

// Absent keys read as the fallback, as the real store's do.
struct MemorySettings : platform::Settings {
    std::map<std::u16string, std::u16string> values;  // "app/section/key"
    std::u16string GetSetting(const std::u16string& app, const std::u16string& section,
                              const std::u16string& key, const std::u16string& fallback) override {
        const auto found = values.find(app + u'/' + section + u'/' + key);
        return found == values.end() ? fallback : found->second;
    }
    void SaveSetting(const std::u16string& app, const std::u16string& section,
                     const std::u16string& key, const std::u16string& value) override {
        values[app + u'/' + section + u'/' + key] = value;
    }
    // The stored plan folder; a null text when none is stored.
    QString planFolderSetting() const {
        const auto found = values.find(u"MXBEdit/Main/QRNPath");
        return found == values.end() ? QString() : QString::fromStdU16String(found->second);
    }
    // Stores a plan folder; a null text stores nothing.
    void storePlanFolder(const QString& value) {
        if (!value.isNull()) values[u"MXBEdit/Main/QRNPath"] = value.toStdU16String();
    }
};

// The build's plug-in folder, where the shipped catalogue and help lie.
// The child widget of that name, which the test cannot do without.
template <class W>
W* child(const QObject* parent, const char* name) {
    W* w = parent ? parent->findChild<W*>(QLatin1String(name)) : nullptr;
    if (!w) qFatal("no child %s", name);
    return w;
}

struct BuiltPluginApplication : platform::QtApplication {
    std::u16string Path() override { return QStringLiteral(QRN_OUT_DIR).toStdU16String(); }
};

struct LibraryTestPlatform : platform::Platform {
    platform::QtFileSystem fileSystem;
    BuiltPluginApplication application;
    MemorySettings store;
    platform::StdRandom generator;
    test::RecordingUi quiet;
    platform::FileSystem& files() override { return fileSystem; }
    platform::Application& app() override { return application; }
    platform::Settings& settings() override { return store; }
    platform::Random& random() override { return generator; }
    platform::Ui& ui() override { return quiet; }
};

// The game's default data folder inside the test's Wine prefix, in the case an installer
// might have used: the platform must find it whatever the case.
inline void makeDefaultPlanFolder(bool exists) {
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty()) qFatal("WINEPREFIX must name the test's own folder");
    QDir(prefix).removeRecursively();
    if (exists && !QDir().mkpath(prefix + QStringLiteral("/drive_c/Program Files/Microsoft Games/"
                                                         "Age of Empires/data")))
        qFatal("cannot make the default plan folder");
}

}  // namespace qrn::libtest
