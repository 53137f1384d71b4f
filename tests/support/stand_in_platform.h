#pragma once

// A stand-in platform for the plug-in's tests: real files through QtFileSystem, a plug-in folder
// chosen by the test, settings in memory, and a Ui that answers the file dialogs from a queue
// and records every message.

#include <QApplication>
#include <deque>
#include <map>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/qt_file_system.h"
#include "platform/qt/std_random.h"
#include "tests/support/qt_files.h"

namespace qrn::test {

struct RecordingUi : platform::Ui {
    std::deque<std::u16string> answers;   // for ShowOpen, ShowSave, ShowFolder; "" cancels
    std::vector<std::u16string> dialogs;  // "open:", "save:" or "folder:" + folder
    std::vector<std::u16string> messages;
    std::vector<std::u16string> help;  // "<file>#<topic>"
    // Answers to the questions, in turn (Cancel or Ignore when none is queued); each question
    // asked is recorded.
    std::deque<platform::SaveChoice> saveChoices;
    std::deque<platform::RecoveryChoice> recoveryChoices;
    std::deque<platform::TextLeaveChoice> leaveChoices;
    std::deque<platform::OverwriteChoice> overwriteChoices;
    std::deque<platform::ReloadChoice> reloadChoices;
    std::deque<platform::WriteAnywayChoice> writeAnywayChoices;
    std::vector<std::u16string> questions;

    void MsgBox(const std::u16string& text) override { messages.push_back(text); }
    platform::SaveChoice AskSaveChanges(const std::u16string& plan) override {
        questions.push_back(u"save:" + plan);
        return next(saveChoices, platform::SaveChoice::Cancel);
    }
    platform::RecoveryChoice AskRecover(const std::u16string& text) override {
        questions.push_back(u"recover:" + text);
        return next(recoveryChoices, platform::RecoveryChoice::Ignore);
    }
    platform::TextLeaveChoice AskLeaveText(const std::u16string& text) override {
        questions.push_back(u"leave:" + text);
        return next(leaveChoices, platform::TextLeaveChoice::Cancel);
    }
    platform::OverwriteChoice AskOverwrite(const std::u16string& text) override {
        questions.push_back(u"overwrite:" + text);
        return next(overwriteChoices, platform::OverwriteChoice::Cancel);
    }
    platform::OverwriteChoice AskOverwriteReadOnly(const std::u16string& text) override {
        questions.push_back(u"read-only:" + text);
        return next(overwriteChoices, platform::OverwriteChoice::Cancel);
    }
    platform::ReloadChoice AskReload(const std::u16string& text) override {
        questions.push_back(u"reload:" + text);
        return next(reloadChoices, platform::ReloadChoice::Ignore);
    }
    platform::WriteAnywayChoice AskWriteAnyway(const std::u16string& text) override {
        questions.push_back(u"write anyway:" + text);
        return next(writeAnywayChoices, platform::WriteAnywayChoice::Cancel);
    }
    std::u16string ShowOpen(const std::u16string& f) override { return answer(u"open:" + f); }
    std::u16string ShowSave(const std::u16string& f) override { return answer(u"save:" + f); }
    std::u16string ShowFolder(const std::u16string& f) override { return answer(u"folder:" + f); }
    void OpenHelp(const std::u16string& file, const std::u16string& topic) override {
        help.push_back(file + u"#" + topic);
    }

private:
    template <typename T>
    static T next(std::deque<T>& queue, T otherwise) {
        if (queue.empty()) return otherwise;
        T choice = queue.front();
        queue.pop_front();
        return choice;
    }
    std::u16string answer(const std::u16string& dialog) {
        dialogs.push_back(dialog);
        return next(answers, std::u16string());
    }
};

struct TestApplication : platform::Application {
    std::u16string path, helpFile;
    std::u16string Path() override { return path; }
    std::u16string HelpFile() override { return helpFile; }
    void SetHelpFile(const std::u16string& p) override { helpFile = p; }
    std::u16string Title() override { return u"QRNPlg"; }
};

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
    QString planFolder() const {
        const auto found = values.find(u"MXBEdit/Main/QRNPath");
        return found == values.end() ? QString() : QString::fromStdU16String(found->second);
    }
    // Stores a plan folder; a null text stores nothing.
    void storePlanFolder(const QString& value) {
        if (!value.isNull()) values[u"MXBEdit/Main/QRNPath"] = value.toStdU16String();
    }
};

struct TestPlatform : platform::Platform {
    platform::QtFileSystem fs;
    TestApplication application;
    MemorySettings store;
    platform::StdRandom rnd;
    RecordingUi recorder;
    platform::FileSystem& files() override { return fs; }
    platform::Application& app() override { return application; }
    platform::Settings& settings() override { return store; }
    platform::Random& random() override { return rnd; }
    platform::Ui& ui() override { return recorder; }
};

// The child widget of that name, which the test cannot do without.
template <class W>
W* child(const QObject* parent, const char* name) {
    W* w = parent ? parent->findChild<W*>(QLatin1String(name)) : nullptr;
    if (!w) qFatal("no child %s", name);
    return w;
}

}  // namespace qrn::test
