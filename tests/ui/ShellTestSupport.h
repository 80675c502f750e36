// Helpers for the shell's window tests: answering modal windows from a timer, clicking tree
// items, a recording desktop, and a temporary installation with the start-up forms.
#pragma once

#include "TempRoot.h"
#include "platform/ui/Application.h"
#include "platform/ui/Desktop.h"
#include "shell/ui/Startup.h"
#include "shell/ui/uMain.h"

#include <QDeadlineTimer>
#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

// main() of a window test whose windows need the program's application set-up.
#define WENDRAK_UI_TEST_MAIN(TestClass)                                                            \
    int main(int argc, char* argv[]) {                                                             \
        QApplication app(argc, argv);                                                              \
        platform::setUpApplication(app);                                                           \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

namespace shelltest {

// Hands the active modal window to handler every 10 ms until it returns true (so it also
// reaches dialogs opened inside a click handler); gives up after timeoutMs, not to hang.
inline void answerModal(const std::function<bool(QWidget*)>& handler, int timeoutMs = 60000) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, [timer, handler, deadline] {
        QWidget* modal = QApplication::activeModalWidget();
        if ((modal != nullptr && handler(modal)) || deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

// Delivers every posted event, the deferred activations included, and names the modal
// windows they opened (each closed at once); empty when none opened. Proves that nothing
// opened without waiting for a fixed time.
inline QStringList modalsOpenedByPendingEvents() {
    QStringList opened;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened << QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    closer.start();
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    return opened;
}

// Runs act on the next modal window of type T (act must close it).
template <class T>
void whenModalOf(const std::function<void(T*)>& act) {
    answerModal([act](QWidget* modal) {
        auto* window = qobject_cast<T*>(modal);
        return window != nullptr && (act(window), true);
    });
}

// Accepts the next message box and hands back its text (empty until it has come).
inline std::shared_ptr<QString> acceptNextMessage() {
    auto text = std::make_shared<QString>();
    whenModalOf<QMessageBox>([text](QMessageBox* box) {
        *text = box->text();
        box->accept();
    });
    return text;
}

// Shows window and waits until it is on the screen.
inline bool showExposed(QWidget* window) {
    window->show();
    return QTest::qWaitForWindowExposed(window);
}

inline QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& text) {
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// Clicks item, or the node with text (a double-click is preceded by its first click, as
// with a real mouse).
inline void clickItem(QTreeWidget* tree, QTreeWidgetItem* item, bool twice = false) {
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    if (twice)
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}
inline void clickItem(QTreeWidget* tree, const QString& text, bool twice = false) {
    clickItem(tree, findNode(tree, text), twice);
}

// The named child widget of form; a missing one ends the test program with its name.
template <class T = QWidget>
T* child(const QObject* form, const QString& name) {
    T* found = form->findChild<T*>(name);
    if (found == nullptr)
        qFatal("no widget %s", qPrintable(name));
    return found;
}

inline QStringList childTexts(const QTreeWidgetItem* node) {
    QStringList out;
    for (int i = 0; i < node->childCount(); ++i)
        out << node->child(i)->text(0);
    return out;
}

// Records what the program asked the desktop to open or start; starting always fails.
struct RecordingDesktop : platform::Desktop {
    QStringList opened, started;
    QString rtfProgram = QStringLiteral("textverarbeitung.desktop"); // "": none for RTF
    int depth = 24;                                                  // bits per pixel
    bool openDocument(const QString& path) override { return opened << path, true; }
    QString defaultApplication(const QString&) override { return rtfProgram; }
    int colorDepth() override { return depth; }
    bool startProgram(const QString& program) override { return started << program, false; }
    // Installs a recording desktop; it lives until the next instance is set.
    static RecordingDesktop* install() {
        auto* desktop = new RecordingDesktop;
        platform::Desktop::setInstance(std::unique_ptr<platform::Desktop>(desktop));
        return desktop;
    }
};

// Copies the named files of a source data folder (or all below it) to the same place.
inline void copySource(const TempRoot& root, const QString& folder, QStringList names = {}) {
    const QString base = TempRoot::sourceData() + folder;
    if (names.isEmpty())
        for (QDirIterator it(base, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            names << QDir(base).relativeFilePath(it.next());
    for (const QString& name : names) {
        QFile f(base + name);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(name));
        root.write(folder + name, f.readAll());
    }
}

inline QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// A temporary installation with the shipped text pages and the start-up forms.
struct Program {
    TempRoot root;
    explicit Program(const std::function<void(TempRoot&)>& prepare = {}) {
        copySource(root, "Wendrak/Texte/");
        if (prepare)
            prepare(root);
        CreateStartupForms();
    }
    ~Program() { DestroyStartupForms(); }
    TfrmMain* main() const { return startupForm<TfrmMain>(); }
    QString data() const { return root.programFolder(); }
    // Shows the main window as after its first activation.
    void showMenu() const {
        main()->ErsteAktivierung = false;
        main()->show();
        main()->FormActivate();
    }
};

} // namespace shelltest
