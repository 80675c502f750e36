// Helpers for the window tests of the main window, the experiments menu and the whole
// challenge: answering modal windows from a timer, clicking tree items, a desktop that
// records what would have been opened or started, and filling a temporary root.
#pragma once

#include "TempRoot.h"
#include "platform/ui/Desktop.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
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

} // namespace shelltest
