// The standard experiments on disk: the walk into the menu's tree and which file a node
// stands for and which document opens.
#include "shell/StandardExperiments.h"

#include "TempRoot.h"
#include "players/uTGroup.h"

#include <QFile>
#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// "kind name" per entry, a folder's entries in brackets after it.
QString describe(const QList<ExperimentEntry>& entries) {
    QStringList parts;
    for (const ExperimentEntry& e : entries) {
        static const char* kinds[] = {"folder", "text", "text+html", "group"};
        QString part = QString(kinds[e.kind]) + " " + e.name;
        if (e.kind == ExperimentEntry::Folder)
            part += " [" + describe(e.children) + "]";
        parts << part;
    }
    return parts.join(", ");
}

class StandardExperimentsTest : public ::testing::Test {
protected:
    TempRoot root;
    QString experiments() const { return root.programFolder() + "Standardexperimente/"; }
    void write(const char* file) {
        root.write(QString("Wendrak/Standardexperimente/") + file, "x");
    }
};

TEST_F(StandardExperimentsTest, WalkListsTextsAndGroupBeforeSubFoldersAndEndsAtLinksBack) {
    for (const char* file :
         {"Versuch/Beta.rtf", "Versuch/Alpha.rtf", "Versuch/Alpha.html", "Versuch/Delta.html",
          "Versuch/group.sgp", "Versuch/Unter/Gamma.RTF", ".versteckt/Geheim.rtf"})
        write(file);
    EXPECT_TRUE(QFile::link(experiments() + "Versuch", experiments() + "Versuch/Unter/Zurueck"));
    EXPECT_EQ(describe(ReadExperimentFolder(experiments())),
              "folder Versuch [text+html Alpha, text Beta, group Selbst Experimentieren, "
              "folder Unter [text Gamma, folder Zurueck []]]");
}

// One folder linked in twice: the renewal and the group chooser enter it once in the whole
// walk, the experiments menu once on each way down.
TEST_F(StandardExperimentsTest, AFolderLinkedInTwiceIsFollowedAsEachWalkGuardsItsWay) {
    for (const char* file : {"Geteilt/Carl.ply", "Geteilt/Text.rtf", "Geteilt/Unter/Dora.ply"})
        root.write(file, "x");
    for (const char* link : {"Temp/A", "Temp/B"}) // a folder of its own
        ASSERT_TRUE(QFile::link(root.root() + "Geteilt", root.programFolder() + link));
    EXPECT_EQ(describe(ReadExperimentFolder(root.programFolder() + "Temp")),
              "folder A [text Text, folder Unter []], folder B [text Text, folder Unter []]");
    const auto chooser = GroupFolderTree(root.programFolder() + "Temp");
    EXPECT_TRUE(chooser.size() == 2 && chooser[0].children.size() == 1 && !chooser[1].entered &&
                chooser[1].children.isEmpty());
    TGroup().RenewGroupFiles(root.programFolder() + "Temp/");
    EXPECT_EQ(root.read("Geteilt/group.sgp") + root.read("Geteilt/Unter/group.sgp"),
              "Carl.ply\r\nDora.ply\r\n");
}

// A text node selects its ".html", else its ".rtf". The ".rtf" goes to the desktop only when
// it has a program for RTF; else the ".html" shows in the program's text window; else the
// text cannot be shown, and the user is told.
TEST_F(StandardExperimentsTest, NodeSelectsHtmlThenRtfWhichOpensOnlyWhereTheDesktopHasAProgram) {
    for (const char* file :
         {"V/Alpha.rtf", "V/Alpha.html", "V/Beta.rtf", "V/Ver.2.rtf", "V/Gamma.html"})
        write(file);
    const QString v = experiments() + "V/";
    const auto opened = [&v](const QString& selection, bool rtfProgram) {
        static const char* hows[] = {"desktop", "window", "none"};
        const ExperimentOpening opening = ExperimentOpeningFor(selection, rtfProgram);
        return QString(hows[opening.how]) + " " + QString(opening.file).remove(v);
    };
    // Node, selection, how it opens with and without a program for RTF ("": no text).
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
        {"Alpha", "Alpha.html", "desktop Alpha.rtf", "window Alpha.html"},
        {"Beta", "Beta.rtf", "desktop Beta.rtf", "none "},
        {"Ver.2", "Ver.2.rtf", "desktop Ver.2.rtf", "none "},
        {"Gamma", "Gamma.html", "window Gamma.html", "window Gamma.html"},
        {"Selbst Experimentieren", "group.sgp", "", ""},
        {"Fehlt", "", "", ""}};
    for (const auto& [node, file, withProgram, without] : rows) {
        const QString selection = ExperimentSelection(v + node);
        EXPECT_EQ(selection, *file ? v + file : QString()) << node;
        EXPECT_EQ(IsExperimentGroup(selection), selection.endsWith("group.sgp")) << node;
        if (*withProgram) {
            EXPECT_EQ((opened(selection, true) + " | " + opened(selection, false)).toStdString(),
                      std::string(withProgram) + " | " + without);
        }
    }
    EXPECT_EQ(ExperimentCannotOpenText(v + "Beta.rtf"),
              QString::fromUtf8("Der Text \"Beta.rtf\" kann nicht angezeigt werden: Auf diesem "
                                "Rechner ist kein Programm für RTF-Dateien eingerichtet, und eine "
                                "HTML-Fassung des Textes gibt es nicht."));
}

} // namespace
