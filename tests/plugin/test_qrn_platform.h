#pragma once

// A stand-in platform for the plug-in's tests: real files through QtFileSystem, a plug-in folder
// chosen by the test, settings in memory, random numbers that can be scripted, and a Ui that
// answers the file dialogs from a queue and records every message.

#include <QApplication>
#include <QObject>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "base/errors.h"
#include "platform/platform.h"
#include "platform/qt/qt_file_system.h"
#include "tests/support/qt_files.h"
#include "tests/support/scripted_random.h"

namespace qrn::test {

struct RecordingUi : platform::Ui {
    std::deque<std::u16string> answers;   // for ShowOpen, ShowSave, ShowFolder; "" cancels
    std::vector<std::u16string> dialogs;  // "open:", "save:" or "folder:" + folder
    std::vector<std::u16string> messages;
    std::vector<std::u16string> help;  // "<file>#<topic>"
    // Answers to the save and recovery questions, in turn; each question asked is recorded.
    std::deque<platform::SaveChoice> saveChoices;
    std::deque<platform::RecoveryChoice> recoveryChoices;
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
    std::u16string ShowOpen(const std::u16string& folder) override {
        return answer(u"open:", folder);
    }
    std::u16string ShowSave(const std::u16string& folder) override {
        return answer(u"save:", folder);
    }
    std::u16string ShowFolder(const std::u16string& folder) override {
        return answer(u"folder:", folder);
    }
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
    std::u16string answer(const char16_t* kind, const std::u16string& folder) {
        dialogs.push_back(kind + folder);
        if (answers.empty()) return {};
        std::u16string a = answers.front();
        answers.pop_front();
        return a;
    }
};

struct TestApplication : platform::Application {
    std::u16string path, helpFile;
    std::u16string Path() override { return path; }
    std::u16string HelpFile() override { return helpFile; }
    void SetHelpFile(const std::u16string& p) override { helpFile = p; }
    std::u16string Title() override { return u"QRNPlg"; }
};

// Real files; DeleteFile can be made to fail, which no permission does for root.
struct TestFileSystem : platform::QtFileSystem {
    bool failDelete = false;
    void DeleteFile(const std::u16string& path) override {
        if (failDelete) throw FileError(path, u"suppression refusée");
        QtFileSystem::DeleteFile(path);
    }
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
    TestFileSystem fs;
    TestApplication application;
    MemorySettings store;
    ScriptedRandom rnd;
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

// One plan line as the writer makes it.
inline QByteArray planLine(const QStringList& cells, const QString& id, const QString& tail) {
    QString line;
    for (const QString& c : cells) line += c.leftJustified(10);
    return (line + id.leftJustified(15) + tail + QStringLiteral("\r\n")).toLatin1();
}

// Six entries: 0 "(aucun)", 1 Hutte (Stone), 2 Grenier and 3 Entrepôt (Tool), 4 Maison
// (Bronze, listed "L"), 5 Temple (Iron).
inline QByteArray testCatalogue() {
    const char* const records[6][3] = {{"-", "Rien", "0"},     {"-", "Hutte", "15"},
                                       {"-", "Grenier", "14"}, {"-", "Entrepot", "14"},
                                       {"L", "Maison", "12"},  {"-", "Temple", "8"}};
    const QString names[6] = {QStringLiteral("(aucun)"), QStringLiteral("Hutte"),
                              QStringLiteral("Grenier"), QStringLiteral("Entrepôt"),
                              QStringLiteral("Maison"),  QStringLiteral("Temple")};
    QString text = QStringLiteral("' test catalogue\r\n\r\n");
    for (int i = 0; i < 6; ++i) {
        text += QStringLiteral("%1\r\n%2\r\n%3\r\nx\r\n%4\r\nx\r\n%5\r\n")
                    .arg(QLatin1String(records[i][0]), QLatin1String(records[i][1]))
                    .arg(100 + i)
                    .arg(QLatin1String(records[i][2]), names[i]);
    }
    return text.toLatin1();
}

}  // namespace qrn::test
