// The program's help: a window of our own that shows the topics of the compiled help file
// "Kemrafeld.chm", and the F1 key, which opens the topic of the active window's help
// context. A window's context is its dynamic int property "helpContext" (the form look
// sets it). Without a help file there is no help and no error.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class QTextBrowser;
class ChmFile;

// The application's help file; "" (the default) means none. The main window sets it at
// start when WendrakPath + "Kemrafeld.chm" exists.
void setHelpFile(const QString& path);
QString helpFile();

// Installs the application-wide F1 handler (once; later calls do nothing).
void installHelpHandler();

// Opens the help window at the topic of context. Returns false, showing nothing, when
// there is no help file, it cannot be read, or it has no topic for context.
bool showHelpContext(int context);
// Opens the help window at the help file's contents page.
bool showHelpContents();
// The help window that is open, or nullptr.
class HelpViewer;
HelpViewer* currentHelpViewer();

// One topic of the help file at a time, with links between topics followed inside.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    // Takes the opened help file over.
    HelpViewer(std::shared_ptr<ChmFile> file, QWidget* parent = nullptr);
    ~HelpViewer() override;

    // Shows the topic (a path inside the help file); false when it is not there.
    bool showTopic(const QString& topic);
    // The topic shown, as a path inside the help file ("" before the first).
    QString currentTopic() const;
    QTextBrowser* browser() const { return m_browser; }

private:
    std::shared_ptr<ChmFile> m_file;
    QTextBrowser* m_browser = nullptr;
};
