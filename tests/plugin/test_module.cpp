// The plug-in module: the control, each press opening a new independent editor window in the
// next slot of the module's window list, a control's initialisation resetting the list and
// loading the plan folder; the state kept per thread; LoadPlanFolder, the Options dialog that
// stores the setting, the shared dialog instances and the About box's texts.

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <thread>

#include "base/version.h"
#include "editor/qrn.h"
#include "plugin/about_frm.h"
#include "plugin/module.h"
#include "plugin/options.h"
#include "plugin/plan_folder.h"
#include "plugin/plg.h"
#include "plugin/plugin_dialogs.h"
#include "tests/support/stand_in_platform.h"

using namespace qrn;

using test::child;

namespace {

const QString kDefault = QString::fromStdU16String(kDefaultPlanFolder);

// The game's default data folder inside the test's Wine prefix, in the case an installer
// might have used: the platform must find it whatever the case.
void makeDefaultPlanFolder(bool exists) {
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty()) qFatal("WINEPREFIX must name the test's own folder");
    QDir(prefix).removeRecursively();
    if (exists && !QDir().mkpath(prefix + "/drive_c/Program Files/Microsoft Games/"
                                          "Age of Empires/data"))
        qFatal("cannot make the default plan folder");
}

QString planFolderOf(const ModuleState& state) {
    return QString::fromStdU16String(state.planFolder);
}

// Clicks a button of the modal dialog once it is up, after setting its folder box.
void whenModal(const QString& typed, const char* button) {
    QTimer::singleShot(0, [typed, button] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (auto* box = child<QLineEdit>(dialog, "OptPath"); !typed.isNull()) box->setText(typed);
        child<QPushButton>(dialog, button)->click();
    });
}

// Answers the question box over the dialog, once it is up, with the button of that caption.
void answer(const QString& caption) {
    QTimer::singleShot(0, [caption] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) qFatal("no question was asked");
        for (QAbstractButton* button : box->buttons())
            if (button->text() == caption) button->click();
    });
}

}  // namespace

class TestModule : public QObject {
    Q_OBJECT

private:
    test::TestPlatform platform;
    ModuleState state;

    static void press(Plg& plg) { child<QPushButton>(&plg, "Command1")->click(); }

    // Runs the deletions that closing a window posts.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void closeAll() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QRN*>(w)) w->close();
        settle();
    }

private slots:
    // The editor windows a press opens load the catalogue of the build's plug-in folder.
    void init() {
        platform.application.path = test::u16(QStringLiteral(QRN_OUT_DIR));
        platform.store.values.clear();
        state.planFolder.clear();
    }
    void cleanup() {
        closeAll();
        QVERIFY(platform.recorder.messages.empty());
    }

    // A square control filled by its button; its initialisation resets the window list and
    // loads the plan folder.
    void pressesFillSlotsFromOneAndClosedWindowsKeepTheirSlot() {
        state.EditorWindows.resize(5);
        platform.store.storePlanFolder(QStringLiteral("d:\\plans"));
        Plg plg(platform, state);
        QCOMPARE(state.EditorWindows.size(), 1u);
        QVERIFY(state.EditorWindows[0].isNull());
        QCOMPARE(state.planFolder, u"d:\\plans");
        QVERIFY(plg.hasHeightForWidth());
        QCOMPARE(plg.heightForWidth(70), 70);
        QCOMPARE(plg.sizeHint().width(), plg.sizeHint().height());
        plg.resize(90, 90);
        plg.show();
        auto* button = child<QPushButton>(&plg, "Command1");
        QCOMPARE(button->text(), QStringLiteral("QRN"));
        QCOMPARE(button->geometry(), plg.rect());

        for (int i = 0; i < 3; ++i) press(plg);
        QCOMPARE(state.EditorWindows.size(), 4u);
        QVERIFY(state.EditorWindows[0].isNull());
        for (int i = 1; i <= 3; ++i) {
            // The application here sets no icon: the window shows ours.
            const QRN* w = state.EditorWindows[i];
            QVERIFY(w && w->isVisible() && !w->parent() && !w->isModal() &&
                    !w->windowIcon().pixmap(32).isNull());
        }
        QVERIFY(state.EditorWindows[1] != state.EditorWindows[2]);

        QPointer<QRN> second = state.EditorWindows[2];
        second->close();
        settle();
        QVERIFY(second.isNull());
        QCOMPARE(state.EditorWindows.size(), 4u);
        QVERIFY(state.EditorWindows[2].isNull());

        press(plg);
        QCOMPARE(state.EditorWindows.size(), 5u);
        QVERIFY(state.EditorWindows[1] && state.EditorWindows[3] && state.EditorWindows[4]);
    }

    // Plans given to the control open one window each; one that cannot be read is said and
    // leaves its window empty and untitled.
    void openPlansOpensAWindowOnEachPlan() {
        Plg plg(platform, state);
        const QString sample = QStringLiteral(QRN_SAMPLES_DIR "/exemple.qrn");
        const QString missing = QStringLiteral(QRN_SAMPLES_DIR "/absent.qrn");
        QVERIFY(QMetaObject::invokeMethod(&plg, "openPlans",
                                          Q_ARG(QStringList, (QStringList{sample, missing}))));
        QCOMPARE(state.EditorWindows.size(), 3u);
        const QRN* opened = state.EditorWindows[1];
        QVERIFY(opened && opened->isVisible());
        QCOMPARE(opened->currentFile(), sample.toStdU16String());
        QCOMPARE(opened->list().count(), 8);
        QCOMPARE(opened->list().row(1).cell(0), u"12");
        QVERIFY(state.EditorWindows[2]->list().empty());
        QVERIFY(state.EditorWindows[2]->currentFile().empty());
        QCOMPARE(platform.recorder.messages.size(), 1u);
        platform.recorder.messages.clear();

        // The rest of a drop on a window opens in windows of their own.
        emit state.EditorWindows[2]->plansToOpenElsewhere({sample});
        QCOMPARE(state.EditorWindows.size(), 4u);
        QCOMPARE(state.EditorWindows[3]->currentFile(), sample.toStdU16String());
    }

    void aSecondControlResetsTheListButOpenWindowsStay() {
        Plg first(platform, state);
        press(first);
        press(first);
        const QPointer<QRN> a = state.EditorWindows[1];
        const QPointer<QRN> b = state.EditorWindows[2];

        Plg second(platform, state);
        QCOMPARE(state.EditorWindows.size(), 1u);
        settle();
        QVERIFY(a && a->isVisible() && a->isEnabled() && b && b->isVisible() && b->isEnabled());

        press(first);  // both controls share the one list
        QCOMPARE(state.EditorWindows.size(), 2u);
        QVERIFY(state.EditorWindows[1] != a && state.EditorWindows[1] != b);
        a->close();  // an older window is still the user's to close
        settle();
        QVERIFY(a.isNull());
        QVERIFY(b && state.EditorWindows[1]);
    }

    // Controls on another thread share nothing with this one's.
    void moduleStateIsPerThread() {
        ModuleState* here = &threadModuleState();
        ModuleState* there = nullptr;
        std::thread([&there] { there = &threadModuleState(); }).join();
        QVERIFY(here == &threadModuleState());
        QVERIFY(there != nullptr && there != here);
        QVERIFY(here->dialogs != nullptr);
    }

    // A null text is an absent setting: whether the default folder is there decides.
    void loadPlanFolder() {
        const QString none, nowhere = QStringLiteral("d:\\nulle part");
        const std::tuple<QString, bool, QString> cases[] = {{none, true, kDefault},
                                                            {none, false, QString("")},
                                                            {QString(""), true, kDefault},
                                                            {QString(" "), true, QString(" ")},
                                                            {nowhere, false, nowhere}};
        for (const auto& [setting, defaultExists, planFolder] : cases) {
            init();
            makeDefaultPlanFolder(defaultExists);
            platform.store.storePlanFolder(setting);
            LoadPlanFolder(platform, state);
            QCOMPARE(planFolderOf(state), planFolder);
        }
    }

    // The box shows the stored setting, not the folder in use; "OK" stores exactly the text (an
    // empty one gives the default folder); "Annuler" and the close box store nothing.
    void okStoresWhatWasTypedAnnulerNothing() {
        const QString ok = "Command1", annuler = "Command2", closeBox;
        const std::tuple<QString, QString, QString, QString> cases[] = {
            {QString(), "c:\\Jeux\\Plans", ok, "c:\\Jeux\\Plans"},
            {" c:\\jeux ", "  /tmp/plans ", ok, "  /tmp/plans "},
            {"avant", "", ok, kDefault},
            {"avant", "tapé", annuler, "avant"},
            {"avant", "tapé", closeBox, "avant"}};
        makeDefaultPlanFolder(true);
        for (const auto& [setting, typed, button, planFolder] : cases) {
            init();
            platform.store.storePlanFolder(setting);
            LoadPlanFolder(platform, state);
            Options options(platform, state);
            options.show();
            QCOMPARE(options.windowTitle(), QStringLiteral("Options"));
            auto* box = child<QLineEdit>(&options, "OptPath");
            QCOMPARE(box->text(), setting.isNull() ? QString("") : setting);
            box->setText(typed);
            if (button == ok && !typed.isEmpty()) answer("Garder le texte");
            if (button.isNull())
                options.close();
            else
                child<QPushButton>(&options, qPrintable(button))->click();
            QCOMPARE(options.result(), int(button == ok ? QDialog::Accepted : QDialog::Rejected));
            QCOMPARE(platform.store.planFolder(), button == ok ? typed : setting);
            QCOMPARE(planFolderOf(state), planFolder);
        }
    }

    // A folder that does not exist is said: created on demand and stored, or corrected.
    void okOnAMissingFolderAsks() {
        makeDefaultPlanFolder(false);
        const QString typed = "c:\\Jeux\\Nouveaux plans";
        Options options(platform, state);
        options.show();
        child<QLineEdit>(&options, "OptPath")->setText(typed);
        answer("Corriger");
        child<QPushButton>(&options, "Command1")->click();
        QVERIFY(options.isVisible() && options.result() != QDialog::Accepted);
        QVERIFY(platform.store.planFolder().isNull());
        answer("Créer le dossier");
        child<QPushButton>(&options, "Command1")->click();
        QCOMPARE(options.result(), int(QDialog::Accepted));
        QCOMPARE(platform.store.planFolder(), typed);
        QVERIFY(
            QFileInfo(qEnvironmentVariable("WINEPREFIX") + "/drive_c/Jeux/Nouveaux plans").isDir());
    }

    // The tab order runs OK, Annuler, the folder box, "Parcourir...", the map's width and height;
    // OK holds the focus from the start. "Parcourir..." starts at the typed folder and puts the
    // chosen one in the field; a cancelled choice leaves the field alone. "OK" stores the fields.
    void focusAndBrowse() {
        Options options(platform, state);
        auto* ok = child<QPushButton>(&options, "Command1");
        QCOMPARE(options.focusWidget(), ok);
        QStringList order;
        QWidget* w = ok;
        do {
            if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != ok);
        QCOMPARE(order, (QStringList{"Command1", "Command2", "OptPath", "Browse", "MapWidth",
                                     "MapHeight"}));
        child<QLineEdit>(&options, "MapWidth")->setText(QStringLiteral("40"));
        auto* box = child<QLineEdit>(&options, "OptPath");
        box->setText(QStringLiteral("c:\\plans"));
        platform.recorder.dialogs.clear();
        platform.recorder.answers = {u"", u"/srv/plans"};
        child<QPushButton>(&options, "Browse")->click();
        QCOMPARE(box->text(), QStringLiteral("c:\\plans"));
        child<QPushButton>(&options, "Browse")->click();
        QCOMPARE(platform.recorder.dialogs.back(), u"folder:c:\\plans");
        answer("Garder le texte");
        ok->click();
        QCOMPARE(platform.store.planFolder(), QStringLiteral("/srv/plans"));
        QCOMPARE(platform.store.values[u"QRNPlg/Map/Width"], u"40");
        QCOMPARE(platform.store.values[u"QRNPlg/Map/Height"], u"");
    }

    // One instance at a time, made fresh for each showing and gone once closed.
    void sharedDialogsStartFreshEachTime() {
        PluginDialogBoxes dialogs(platform, state);
        platform.store.storePlanFolder(QStringLiteral("gardé"));
        whenModal(QStringLiteral("abandonné"), "Command2");
        dialogs.showOptions();
        QString seen;
        QTimer::singleShot(0, [&seen] {
            seen = child<QLineEdit>(QApplication::activeModalWidget(), "OptPath")->text();
        });
        whenModal(QStringLiteral("retenu"), "Command1");
        answer("Garder le texte");
        dialogs.showOptions();
        QCOMPARE(seen, QStringLiteral("gardé"));
        QCOMPARE(platform.store.planFolder(), QStringLiteral("retenu"));
        QCOMPARE(planFolderOf(state), QStringLiteral("retenu"));

        QTimer::singleShot(
            0, [] { child<QPushButton>(QApplication::activeModalWidget(), "Command1")->click(); });
        dialogs.showAbout();
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<QDialog*>(window));
    }

    void aboutBoxTexts() {
        AboutFrm about;
        QCOMPARE(about.windowTitle(), QStringLiteral("A propos de..."));
        QCOMPARE(child<QLabel>(&about, "Label1")->text(),
                 QStringLiteral("Plugin QRN pour MXB Editor"));
        QCOMPARE(child<QLabel>(&about, "LabelVersion")->text(),
                 QStringLiteral("Version " QRN_VERSION));
        for (const auto& [label, start] :
             {std::pair<const char*, QString>{"Label2", "Plugin créé par "},
              {"Label3", "Bêta testeurs: "},
              {"Label4", "Soutient moral (encouragements): "}}) {
            const QString text = child<QLabel>(&about, label)->text();
            QVERIFY2(text.startsWith(start) && text.size() > start.size(), qPrintable(text));
        }
        QCOMPARE(child<QPushButton>(&about, "Command1")->text(), QStringLiteral("OK"));
    }
};

QTEST_MAIN(TestModule)
#include "test_module.moc"
