// The standard experiments on disk: the walk into the menu's tree and which file a node
// stands for and which document opens.
#include "shell/StandardExperiments.h"

#include "TempRoot.h"

#include <QFile>
#include <gtest/gtest.h>

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
    EXPECT_EQ(describe(ReadExperimentFolder(root.programFolder() + "Fehlt/")), "");
    for (const char* file :
         {"Versuch/Beta.rtf", "Versuch/Alpha.rtf", "Versuch/Alpha.html", "Versuch/Delta.html",
          "Versuch/group.sgp", "Versuch/Unter/Gamma.RTF", ".versteckt/Geheim.rtf"})
        write(file);
    EXPECT_TRUE(QFile::link(experiments() + "Versuch", experiments() + "Versuch/Unter/Zurueck"));
    EXPECT_EQ(describe(ReadExperimentFolder(experiments())),
              "folder Versuch [text+html Alpha, text Beta, group Selbst Experimentieren, "
              "folder Unter [text Gamma, folder Zurueck []]]");
}

TEST_F(StandardExperimentsTest, NodeChoosesHtmlThenRtfAndOpeningPrefersTheRtf) {
    for (const char* file : {"V/Alpha.rtf", "V/Alpha.html", "V/Beta.rtf", "V/Ver.2.rtf"})
        write(file);
    const QString v = experiments() + "V/";
    const struct {
        QString node, selection, document;
    } rows[] = {{v + "Alpha", v + "Alpha.html", v + "Alpha.rtf"},
                {v + "Beta", v + "Beta.rtf", v + "Beta.rtf"},
                {v + "Ver.2", v + "Ver.2.rtf", v + "Ver.2.rtf"},
                {v + "Selbst Experimentieren", v + "group.sgp", ""},
                {v + "Fehlt", "", ""}};
    for (const auto& row : rows) {
        const QString selection = ExperimentSelection(row.node);
        EXPECT_EQ(selection, row.selection) << qPrintable(row.node);
        EXPECT_EQ(IsExperimentGroup(selection), selection.endsWith("group.sgp"))
            << qPrintable(row.node);
        if (!row.document.isEmpty()) {
            EXPECT_EQ(ExperimentDocument(selection), row.document) << qPrintable(row.node);
        }
    }
    QFile::remove(v + "Alpha.rtf");
    EXPECT_EQ(ExperimentDocument(v + "Alpha.html"), v + "Alpha.html");
}

} // namespace
