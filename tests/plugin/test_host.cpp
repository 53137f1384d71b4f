// The host's side: finding libQRNPlg.so, loading it at run time and reaching it only through
// its four exports, creating a control and pressing its button.

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "host/plugin_loader.h"
#include "platform/widgets/component_registry.h"

using qrn::host::PluginLoader;

namespace {

const QString kClass = QStringLiteral(QRNPLG_CLASS_NAME);

QList<QWidget*> editorWindows() {
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (QByteArray(w->metaObject()->className()) == "qrn::QRN" && w->isVisible()) found << w;
    return found;
}

}  // namespace

class TestHost : public QObject {
    Q_OBJECT

private:
    // A message box from the library would wait for a user: close it and remember its text.
    QTimer boxCloser;
    QStringList boxes;

private slots:
    void initTestCase() {
        connect(&boxCloser, &QTimer::timeout, this, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    boxes << box->text();
                    box->done(0);
                }
        });
        boxCloser.start(50);
    }
    void cleanup() { QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join(u'\n'))); }

    void locateTriesRegistrationThenBesideThenLib_data() {
        QTest::addColumn<QStringList>("files");  // relative to a temporary folder
        QTest::addColumn<QString>("registered");
        QTest::addColumn<QString>("expected");
        const QString other = "elsewhere/libQRNPlg.so", beside = "prog/bin/libQRNPlg.so",
                      lib = "prog/lib/qrnplg/libQRNPlg.so";
        QTest::newRow("registered") << QStringList{other, beside, lib} << other << other;
        QTest::newRow("stale registration") << QStringList{beside, lib} << other << beside;
        QTest::newRow("beside") << QStringList{beside, lib} << QString() << beside;
        QTest::newRow("installed layout") << QStringList{lib} << QString() << lib;
        QTest::newRow("nowhere") << QStringList() << QString() << QString();
    }
    void locateTriesRegistrationThenBesideThenLib() {
        QFETCH(QStringList, files);
        QFETCH(QString, registered);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QVERIFY(QDir().mkpath(root.filePath("prog/bin")));
        for (const QString& file : files) {
            QDir().mkpath(QFileInfo(root.filePath(file)).absolutePath());
            QVERIFY(QFile(root.filePath(file)).open(QIODevice::WriteOnly));
        }
        if (registered.isEmpty())
            QVERIFY(qrn::platform::unregisterLibrary(kClass));
        else
            QVERIFY(qrn::platform::registerLibrary(kClass, root.filePath(registered)));
        const QString found = PluginLoader::locate(root.filePath("prog/bin"));
        QCOMPARE(found, expected.isEmpty() ? QString()
                                           : QFileInfo(root.filePath(expected)).absoluteFilePath());
        QVERIFY(qrn::platform::unregisterLibrary(kClass));
    }

    void theExportsRegisterCreateAndReportUse() {
        PluginLoader loader;
        QVERIFY2(loader.load(QStringLiteral(QRN_PLUGIN_FILE)), qPrintable(loader.error()));
        QCOMPARE(loader.unregisterServer(), QRN_S_OK);
        QCOMPARE(loader.registerIfNeeded(), QRN_S_OK);
        QCOMPARE(QFileInfo(qrn::platform::registeredLibrary(kClass)).canonicalFilePath(),
                 QFileInfo(QStringLiteral(QRN_PLUGIN_FILE)).canonicalFilePath());

        QrnClassObject* classObject = reinterpret_cast<QrnClassObject*>(1);
        QCOMPARE(loader.getClassObject("Autre.Classe", &classObject),
                 QRN_CLASS_E_CLASSNOTAVAILABLE);
        QVERIFY(classObject == nullptr);
        QCOMPARE(loader.canUnloadNow(), QRN_S_OK);
        QCOMPARE(loader.getClassObject(QRNPLG_CLASS_NAME, &classObject), QRN_S_OK);
        QCOMPARE(loader.canUnloadNow(), QRN_S_FALSE);  // an unreleased class object
        void* control = nullptr;
        QCOMPARE(classObject->CreateInstance(classObject, nullptr, &control), QRN_E_POINTER);
        classObject->Release(classObject);
        QCOMPARE(loader.canUnloadNow(), QRN_S_OK);

        auto* container = new QWidget;
        QWidget* plg = loader.createControl(container);
        QVERIFY2(plg != nullptr, qPrintable(loader.error()));
        QCOMPARE(plg->parentWidget(), container);
        container->show();
        QCOMPARE(loader.canUnloadNow(), QRN_S_FALSE);
        auto* button = plg->findChild<QPushButton*>(QStringLiteral("Command1"));
        QCOMPARE(button ? button->text() : QString(), QStringLiteral("QRN"));

        button->click();
        button->click();
        QCOMPARE(editorWindows().size(), 2);
        delete container;  // the editor windows outlive the control
        QCOMPARE(editorWindows().size(), 2);
        QCOMPARE(loader.canUnloadNow(), QRN_S_FALSE);
        for (QWidget* window : editorWindows()) window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(loader.canUnloadNow(), QRN_S_OK);

        QCOMPARE(loader.unregisterServer(), QRN_S_OK);
        QVERIFY(qrn::platform::registeredLibrary(kClass).isEmpty());
    }
};

QTEST_MAIN(TestHost)
#include "test_host.moc"
