// The widget Ui: the file dialogs start in the plan folder (a Windows path found in the Wine
// prefix) and give back the chosen name as typed or nothing when cancelled; the message box
// carries the application's title, no icon and one OK button. The help: the compiled help file
// when a viewer is installed, else its topic's HTML page, else a message naming both places.

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "platform/qt/qt_application.h"
#include "platform/qt/qt_translations.h"
#include "platform/widgets/help_opener.h"
#include "platform/widgets/qt_widgets_ui.h"

using qrn::platform::HelpPlan;

namespace {

// Runs action on the modal dialog once it is up.
template <typename Dialog, typename Action>
void whenModal(Action action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) qFatal("the expected modal dialog is not up");
        action(dialog);
    });
}

}  // namespace

class TestWidgetsUi : public QObject {
    Q_OBJECT

private:
    qrn::platform::QtApplication app;
    qrn::platform::QtWidgetsUi ui;
    QString plans;  // the Wine prefix's c:\Plans

private slots:
    void initTestCase() {
        ui.setApplication(app);
        const QString prefix = qEnvironmentVariable("WINEPREFIX");
        QVERIFY(!prefix.isEmpty());
        plans = prefix + QStringLiteral("/drive_c/Plans");
        QVERIFY(QDir().mkpath(plans));
    }

    void fileDialogsStartInThePlanFolder() {
        QString shownIn;
        whenModal<QFileDialog>([&shownIn](QFileDialog* dialog) {
            shownIn = dialog->directory().absolutePath();
            dialog->reject();
        });
        QVERIFY(ui.ShowOpen(u"c:\\plans").empty());
        QCOMPARE(shownIn, plans);
        // Saving gives the name without adding an extension.
        whenModal<QFileDialog>([this](QFileDialog* dialog) {
            QVERIFY(dialog->nameFilters() == QStringList{QFileDialog::tr("All Files (*)")} ||
                    dialog->nameFilters().isEmpty());
            QVERIFY(dialog->defaultSuffix().isEmpty());
            dialog->selectFile(plans + QStringLiteral("/nouveau plan"));
            static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
        });
        QCOMPARE(QString::fromStdU16String(ui.ShowSave(u"c:\\plans")),
                 plans + QStringLiteral("/nouveau plan"));
    }

    // Qt's own buttons and dialogs speak French once the translations are in, installed once.
    void qtSpeaksFrench() {
        QVERIFY(qrn::platform::installQtTranslations());
        QVERIFY(qrn::platform::installQtTranslations());
        QCOMPARE(qApp->findChildren<QTranslator*>().size(), 2);  // Qt's and the missing words
        // The words Qt's own French leaves out, one and several bytes among them.
        for (const auto& [what, french] : {std::pair{"Folder", "Dossier"},
                                           {"Drive", "Lecteur"},
                                           {"File", "Fichier"},
                                           {"%1 File", "Fichier %1"},
                                           {"qrn", "qrn"}})
            QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", what),
                     QString::fromUtf8(french));
        QCOMPARE(QCoreApplication::translate("QLocale", "%n byte(s)", nullptr, 1),
                 QStringLiteral("1 octet"));
        QCOMPARE(QCoreApplication::translate("QLocale", "%n byte(s)", nullptr, 2),
                 QStringLiteral("2 octets"));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
        QCOMPARE(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Enregistrer"));
    }

    // Over the window it was asked from (the active one), for a message and a question alike.
    void messageBoxHasTheTitleAndOnlyOk() {
        QWidget window;
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        whenModal<QMessageBox>([&window](QMessageBox* box) {
            QCOMPARE(box->parentWidget(), &window);
            QCOMPARE(box->windowTitle(), QStringLiteral("QRNPlg"));
            QCOMPARE(box->text(), QStringLiteral("Texte « accentué »"));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            box->button(QMessageBox::Ok)->click();
        });
        ui.MsgBox(u"Texte « accentué »");
        QApplication::setActiveWindow(&window);
        QWidget* over = nullptr;
        whenModal<QMessageBox>([&over](QMessageBox* box) {
            over = box->parentWidget();
            box->buttons().last()->click();
        });
        ui.AskReload(u"t");
        QCOMPARE(over, &window);
    }

    // Each question's buttons give their own answers.
    void questionsAnswerByTheirButtons() {
        using namespace qrn::platform;
        const auto click = [](const char* caption) {
            whenModal<QMessageBox>([caption](QMessageBox* box) {
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == QString::fromUtf8(caption)) return button->click();
                qFatal("no button %s", caption);
            });
        };
        click("Ne pas enregistrer");
        QVERIFY(ui.AskSaveChanges(u"p") == SaveChoice::Discard);
        click("Supprimer");
        QVERIFY(ui.AskRecover(u"p") == RecoveryChoice::Delete);
        const std::pair<const char*, TextLeaveChoice> leave[] = {
            {"Continuer la modification", TextLeaveChoice::KeepEditing},
            {"Abandonner le texte", TextLeaveChoice::Drop},
            {"Annuler", TextLeaveChoice::Cancel}};
        for (const auto& [caption, choice] : leave) {
            click(caption);
            QVERIFY2(ui.AskLeaveText(u"t") == choice, caption);
        }
        const std::pair<const char*, OverwriteChoice> overwrite[] = {
            {"Écraser", OverwriteChoice::Overwrite},
            {"Enregistrer sous...", OverwriteChoice::SaveAs},
            {"Annuler", OverwriteChoice::Cancel}};
        for (const auto& [caption, choice] : overwrite) {
            click(caption);
            QVERIFY2(ui.AskOverwrite(u"t") == choice, caption);
            click(choice == OverwriteChoice::Overwrite ? "Écraser quand même" : caption);
            QVERIFY2(ui.AskOverwriteReadOnly(u"t") == choice, caption);
        }
        click("Enregistrer quand même");
        QVERIFY(ui.AskWriteAnyway(u"t") == WriteAnywayChoice::Write);
        click("Annuler");
        QVERIFY(ui.AskWriteAnyway(u"t") == WriteAnywayChoice::Cancel);
        click("Recharger");
        QVERIFY(ui.AskReload(u"t") == ReloadChoice::Reload);
        click("Ignorer");
        QVERIFY(ui.AskReload(u"t") == ReloadChoice::Ignore);
    }

    // The recovery offer cuts a long path in its middle, never wrapping it.
    void recoveryOfferElidesTheMiddleOfALongPath() {
        const QString path = "/home/u/" + QString(200, u'd') + "/plan.qrn";
        QString shown;
        whenModal<QMessageBox>([&shown](QMessageBox* box) {
            shown = box->text();
            box->buttons().at(1)->click();
        });
        ui.AskRecover((u"Trouvé :\r\n"_qs + path + "\r\n2 lignes.").toStdU16String());
        const QStringList lines = shown.split(u'\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].startsWith("/home/u/d") && lines[1].endsWith("d/plan.qrn") &&
                lines[1].contains(u'…') && lines[1].size() < 100);
        QCOMPARE(lines[2], "2 lignes.");
    }

    // The files there, the viewer found, and the plan made.
    void helpPlan() {
        using K = HelpPlan::Kind;
        const QString xchm = QStringLiteral("/usr/bin/xchm");
        const std::tuple<bool, bool, QString, K> cases[] = {{true, true, xchm, K::Viewer},
                                                            {true, true, QString(), K::Page},
                                                            {false, true, xchm, K::Page},
                                                            {false, false, xchm, K::Missing}};
        for (const auto& [chm, page, viewer, kind] : cases) check(chm, page, viewer, kind);
    }

    // The viewers are looked for on the PATH, kchmviewer before xchm.
    void viewerOnThePath() {
        QTemporaryDir bin;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        QVERIFY(qrn::platform::findHelpViewer().isEmpty());
        for (const char* name : {"xchm", "kchmviewer"}) {
            QFile viewer(bin.filePath(name));
            QVERIFY(viewer.open(QIODevice::WriteOnly));
            viewer.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
            QCOMPARE(qrn::platform::findHelpViewer(), viewer.fileName());
        }
        qputenv("PATH", path);
    }

    // With no browser on the desktop, the page shows in the built-in window, its images and
    // the pages it links to found beside it; no message.
    void helpWithoutABrowserShowsItsOwnWindow() {
        QTemporaryDir folder;
        QFile page(folder.filePath("Help/QRN1.htm")), image(folder.filePath("Help/i.png"));
        QVERIFY(QDir().mkpath(folder.filePath("Help")) && page.open(QIODevice::WriteOnly) &&
                image.open(QIODevice::WriteOnly));
        page.write(
            "<html><head><title>Aide QRN</title></head><body><img src=\"i.png\">"
            "<a href=\"b.htm\">b</a></body></html>");
        page.close();
        QImage(4, 4, QImage::Format_RGB32).save(&image, "PNG");
        image.close();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        qunsetenv("BROWSER");
        QVERIFY(!qrn::platform::haveWebBrowser());
        bool told = false;
        QTimer::singleShot(0, [&told] {
            if (QWidget* box = QApplication::activeModalWidget()) told = box->close();
        });
        ui.OpenHelp(folder.filePath("Help/Help.chm").toStdU16String(), u"QRN1.htm");
        qputenv("PATH", path);
        QVERIFY(!told);
        QTextBrowser* window = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "HelpWindow" && w->isVisible())
                window = qobject_cast<QTextBrowser*>(w);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Aide QRN"));
        QVERIFY(!window->loadResource(QTextDocument::ImageResource, QUrl("i.png")).isNull());
        // Wholly on the screen, however small; Escape closes it.
        QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

private:
    static void check(bool chm, bool page, const QString& viewer, HelpPlan::Kind kind) {
        QTemporaryDir folder;
        const QString helpFile = folder.filePath("Help/Help.chm");
        const QString topic = folder.filePath("Help/QRN1.htm");
        QDir().mkpath(folder.filePath("Help"));
        for (const auto& [wanted, path] : {std::pair{chm, helpFile}, std::pair{page, topic}}) {
            QFile file(path);
            if (wanted) QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const HelpPlan plan = qrn::platform::planHelp(helpFile, "QRN1.htm", [&] { return viewer; });
        const bool viewing = kind == HelpPlan::Kind::Viewer;
        QCOMPARE(int(plan.kind), int(kind));
        QCOMPARE(plan.program, viewing ? viewer : QString());
        QCOMPARE(plan.arguments, viewing ? QStringList{helpFile} : QStringList());
        QCOMPARE(plan.page, kind == HelpPlan::Kind::Page ? topic : QString());
        QVERIFY(kind != HelpPlan::Kind::Missing ||
                (plan.message.contains(helpFile) && plan.message.contains(topic)));
    }
};

QTEST_MAIN(TestWidgetsUi)
#include "test_widgets_ui.moc"
