// The standard experiments on disk: the walk of the folder "Standardexperimente" into the
// menu's tree (texts, prepared groups, sub-folders), the file a chosen node stands for and
// the document the desktop opens for a text.
#pragma once

#include <QList>
#include <QString>

// The node that stands for a folder's "group.sgp".
inline constexpr char kExperimentGroupNode[] = "Selbst Experimentieren";

struct ExperimentEntry {
    enum Kind { Folder, Text, TextWithHtml, Group };
    Kind kind = Folder;
    // The folder's name, the text's file name without ".rtf", or kExperimentGroupNode.
    QString name;
    // A folder's own entries.
    QList<ExperimentEntry> children;
};

// The entries of folder: its texts (".rtf", marked when an ".html" of the same name is
// beside it) and its group (".sgp") in listing order, then its sub-folders with their
// entries. A folder link back to a folder on the way down is listed but not followed.
QList<ExperimentEntry> ReadExperimentFolder(const QString& folder);

// The file the node at nodePath (the program folder + the node's path) stands for: the
// folder's "group.sgp" for the group node, else the text's ".html", else its ".rtf"; ""
// when there is none.
QString ExperimentSelection(const QString& nodePath);

// Whether a selection is a group to be loaded rather than a text to be opened.
bool IsExperimentGroup(const QString& selection);

// How a chosen text opens. A desktop without a program for RTF would take the ".rtf" and
// show nothing, so it gets the ".rtf" only when it names such a program; otherwise the
// ".html" version shows in the program's own text window.
struct ExperimentOpening {
    enum How { WithDesktop, InTextWindow, NotPossible };
    How how = NotPossible;
    QString file; // the ".rtf" for the desktop, the ".html" for the text window
};
ExperimentOpening ExperimentOpeningFor(const QString& selection, bool desktopOpensRtf);
// The message for a text that can be shown neither way.
QString ExperimentCannotOpenText(const QString& selection);
