// Helpers for the window tests of the main window, the experiments menu and the whole
// challenge: answering modal windows from a timer, clicking tree items, a desktop that
// records what would have been opened or started, filling a temporary root and starting
// the program's forms on it.
#pragma once

#include "TempRoot.h"
#include "platform/ui/Desktop.h"
#include "shell/ui/uMain.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>

namespace shelltest {

// Polls every 10 ms for the active modal window and hands it to handler until the handler
// returns true (so it also reaches dialogs opened from inside a click handler). The poll
// gives up after timeoutMs, so a failed step cannot keep a test waiting for ever.
inline void answerModal(const std::function<bool(QWidget*)>& handler, int timeoutMs = 60000) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, handler, started, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if ((modal != nullptr && handler(modal)) || started->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

// Runs act once target is the active modal window (act must close it).
inline void whenModal(QWidget* target, const std::function<void()>& act) {
    answerModal([target, act](QWidget* modal) {
        if (modal != target)
            return false;
        act();
        return true;
    });
}

// Runs act on the next modal window of type T (act must close it).
template <class T>
void whenModalOf(const std::function<void(T*)>& act) {
    answerModal([act](QWidget* modal) {
        auto* window = qobject_cast<T*>(modal);
        if (window != nullptr)
            act(window);
        return window != nullptr;
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

inline void clickItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                      tree->visualItemRect(item).center());
}

inline void doubleClickItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    clickItem(tree, item);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                       tree->visualItemRect(item).center());
}

inline QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& text) {
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// Clicks the group node below folder in an experiments tree; false while the tree is
// not filled yet.
inline bool clickGroupOf(QTreeWidget* tree, const QString& folder) {
    QTreeWidgetItem* parent = findNode(tree, folder);
    for (int i = 0; parent != nullptr && i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == "Selbst Experimentieren") {
            parent->setExpanded(true);
            clickItem(tree, parent->child(i));
            return true;
        }
    }
    return false;
}

inline QStringList childTexts(const QTreeWidgetItem* node) {
    QStringList out;
    for (int i = 0; i < node->childCount(); ++i)
        out << node->child(i)->text(0);
    return out;
}

// Records what the program asked the desktop to open or start.
class RecordingDesktop : public platform::Desktop {
public:
    struct Log {
        QStringList opened;
        QStringList started;
        bool startSucceeds = false;
    };
    explicit RecordingDesktop(std::shared_ptr<Log> log) : m_log(std::move(log)) {}
    bool openDocument(const QString& path) override {
        m_log->opened << path;
        return true;
    }
    int colorDepth() override { return 24; }
    bool startProgram(const QString& program) override {
        m_log->started << program;
        return m_log->startSucceeds;
    }

    // Installs a recording desktop and returns its log.
    static std::shared_ptr<Log> install() {
        auto log = std::make_shared<Log>();
        platform::Desktop::setInstance(std::make_unique<RecordingDesktop>(log));
        return log;
    }

private:
    std::shared_ptr<Log> m_log;
};

// Copies a folder of the source tree's data (recursively) below the temporary root.
inline void copySourceFolder(const TempRoot& root, const QString& from, const QString& to) {
    const QString base = TempRoot::sourceData() + from;
    QDirIterator it(base, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString rel = QDir(base).relativeFilePath(file);
        QFile f(file);
        if (f.open(QIODevice::ReadOnly))
            root.write(to + rel, f.readAll());
    }
}

// Copies shipped players (file names of data/Wendrak/SpielerStamm) into the root's store.
inline void copyPlayers(const TempRoot& root, const QStringList& names) {
    for (const QString& name : names) {
        QFile f(TempRoot::sourceData() + "Wendrak/SpielerStamm/" + name);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(name));
        root.write("Wendrak/SpielerStamm/" + name, f.readAll());
    }
}

inline QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// A temporary installation with the shipped text pages and the start-up forms.
struct Program {
    TempRoot root;
    explicit Program(const std::function<void(TempRoot&)>& prepare = {}) {
        copySourceFolder(root, "Wendrak/Texte/", "Wendrak/Texte/");
        if (prepare)
            prepare(root);
        CreateStartupForms();
    }
    ~Program() { DestroyStartupForms(); }
    TfrmMain* main() const { return startupForms().frmMain; }
    QString data() const { return root.programFolder(); }
    // Shows the main window as after its first activation.
    void showMenu() const {
        main()->ErsteAktivierung = false;
        main()->show();
        main()->FormActivate();
    }
};

} // namespace shelltest
