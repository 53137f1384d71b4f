// The plan folder: LoadPlanFolder, the Options dialog that stores the setting, and the shared
// dialog instances; the About box's texts.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "about_frm.h"
#include "library_test_platform.h"
#include "module.h"
#include "options.h"
#include "plugin_dialogs.h"

using namespace qrn;

namespace {

const QString kDefault = QString::fromStdU16String(kDefaultPlanFolder);

QString planFolderOf(const ModuleState& state) {
    return QString::fromStdU16String(state.planFolder);
}

// Clicks a button of the modal dialog once it is up, after setting its folder box.
void whenModal(const QString& typed, const char* button) {
    QTimer::singleShot(0, [typed, button] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) qFatal("no modal dialog");
        if (auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("OptPath")))
            if (!typed.isNull()) box->setText(typed);
        dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    });
}

}  // namespace

class TestOptions : public QObject {
    Q_OBJECT

private:
    libtest::LibraryTestPlatform platform;
    ModuleState state;

    void store(const QString& value) {
        if (!value.isNull())
            platform.store.SaveSetting(u"MXBEdit", u"Main", u"QRNPath", value.toStdU16String());
    }
    QString stored() const {
        const auto value = platform.store.planFolderSetting();
        return value ? QString::fromStdU16String(*value) : QString();
    }

private slots:
    void init() {
        platform.store.values.clear();
        state.planFolder.clear();
    }
    void cleanup() { QVERIFY(platform.quiet.messages.empty()); }

    // A null text is an absent setting.
    void loadPlanFolder_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("defaultExists");
        QTest::addColumn<QString>("planFolder");
        QTest::newRow("absent, default there") << QString() << true << kDefault;
        QTest::newRow("absent, no default") << QString() << false << QString("");
        QTest::newRow("stored empty, default there") << QString("") << true << kDefault;
        QTest::newRow("one space is kept") << QString(" ") << true << QString(" ");
        QTest::newRow("missing folder is kept")
            << QString("d:\\nulle part") << false << QString("d:\\nulle part");
    }
    void loadPlanFolder() {
        QFETCH(QString, setting);
        QFETCH(bool, defaultExists);
        QFETCH(QString, planFolder);
        libtest::makeDefaultPlanFolder(defaultExists);
        store(setting);
        LoadPlanFolder(platform, state);
        QCOMPARE(planFolderOf(state), planFolder);
    }

    void optionsShowsTheStoredSettingNotTheFolderInUse() {
        libtest::makeDefaultPlanFolder(true);
        LoadPlanFolder(platform, state);
        Options options(platform, state);
        QCOMPARE(options.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(options.findChild<QLineEdit*>(QStringLiteral("OptPath"))->text(), QString(""));
        store(QStringLiteral(" c:\\jeux "));
        Options again(platform, state);
        QCOMPARE(again.findChild<QLineEdit*>(QStringLiteral("OptPath"))->text(),
                 QStringLiteral(" c:\\jeux "));
    }

    // The tab order runs OK, Annuler, the folder box; OK holds the focus from the start.
    void okHasTheFocus() {
        Options options(platform, state);
        auto* ok = options.findChild<QPushButton*>(QStringLiteral("Command1"));
        QCOMPARE(options.focusWidget(), ok);
        QStringList order;
        QWidget* w = ok;
        do {
            if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != ok);
        QCOMPARE(order, (QStringList{"Command1", "Command2", "OptPath"}));
    }

    void okStoresExactlyWhatWasTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("planFolder");
        QTest::newRow("a path") << QString("c:\\Jeux\\Plans") << QString("c:\\Jeux\\Plans");
        QTest::newRow("spaces around") << QString("  /tmp/plans ") << QString("  /tmp/plans ");
        QTest::newRow("empty falls back") << QString("") << kDefault;
    }
    void okStoresExactlyWhatWasTyped() {
        QFETCH(QString, typed);
        QFETCH(QString, planFolder);
        libtest::makeDefaultPlanFolder(true);
        store(QStringLiteral("avant"));
        Options options(platform, state);
        options.findChild<QLineEdit*>(QStringLiteral("OptPath"))->setText(typed);
        options.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QCOMPARE(options.result(), int(QDialog::Accepted));
        QCOMPARE(stored(), typed);
        QCOMPARE(planFolderOf(state), planFolder);
    }

    void annulerAndTheCloseBoxStoreNothing() {
        libtest::makeDefaultPlanFolder(false);
        state.planFolder = u"en cours";
        for (const bool closeBox : {false, true}) {
            Options options(platform, state);
            options.show();
            options.findChild<QLineEdit*>(QStringLiteral("OptPath"))->setText("tapé");
            if (closeBox)
                options.close();
            else
                options.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
            QCOMPARE(options.result(), int(QDialog::Rejected));
            QVERIFY(!platform.store.planFolderSetting());
            QCOMPARE(planFolderOf(state), QStringLiteral("en cours"));
        }
    }

    // One instance at a time, made fresh for each showing and gone once closed.
    void sharedDialogsStartFreshEachTime() {
        PluginDialogBoxes dialogs(platform, state);
        store(QStringLiteral("gardé"));
        whenModal(QStringLiteral("abandonné"), "Command2");
        dialogs.showOptions();
        QString seen;
        QTimer::singleShot(0, [&seen] {
            seen = QApplication::activeModalWidget()->findChild<QLineEdit*>("OptPath")->text();
        });
        whenModal(QStringLiteral("retenu"), "Command1");
        dialogs.showOptions();
        QCOMPARE(seen, QStringLiteral("gardé"));
        QCOMPARE(stored(), QStringLiteral("retenu"));
        QCOMPARE(planFolderOf(state), QStringLiteral("retenu"));

        whenModal(QString(), "Command1");
        dialogs.showAbout();
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<QDialog*>(window));
    }

    void aboutBoxTexts() {
        AboutFrm about;
        QCOMPARE(about.windowTitle(), QStringLiteral("A propos de..."));
        QStringList texts;
        for (const char* name : {"Label1", "Label2", "Label3", "Label4"})
            texts << about.findChild<QLabel*>(QString::fromLatin1(name))->text();
        QCOMPARE(texts[0], QStringLiteral("Plugin QRN pour MXB Editor"));
        const QStringList starts = {"Plugin créé par ",
                                    "Bêta testeurs: ", "Soutient moral (encouragements): "};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(texts[i + 1].startsWith(starts[i]));
            QVERIFY(texts[i + 1].size() > starts[i].size());
        }
        QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
                 QStringLiteral("OK"));
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"
