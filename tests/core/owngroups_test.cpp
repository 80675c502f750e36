// Own groups: names that cannot name a folder are refused before anything is written; a
// group is found and rewritten in its folder whatever the letter case of its name.
#include "players/OwnGroups.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(OwnGroupsTest, UnusableNamesAreRefusedAndNothingIsWritten) {
    TempRoot root;
    const QString data = root.programFolder();
    for (const char* bad : {"", "..", "../Fremd", "a\\b", ".versteckt"}) {
        EXPECT_THROW(CreateOwnGroup(data, bad), WendrakError) << bad;
        EXPECT_THROW(SaveOwnGroup(data, bad, {"Anna.ply"}), WendrakError) << bad;
    }
    EXPECT_TRUE(QDir(data + "Eigene Gruppen").isEmpty());
    EXPECT_FALSE(QFile::exists(root.root() + "Fremd"));
    EXPECT_FALSE(QFile::exists(data + "group.sgp"));
}

TEST(OwnGroupsTest, AGroupIsRewrittenInItsFolderWhateverTheCaseOfItsName) {
    TempRoot root;
    const QString data = root.programFolder();
    SaveOwnGroup(data, "Klasse 7", {"Bob.ply", "Anna.ply"});
    EXPECT_TRUE(OwnGroupExists(data, "KLASSE 7"));
    EXPECT_EQ(ReadOwnGroup(data, "klasse 7"), QStringList({"Bob.ply", "Anna.ply"}));
    CreateOwnGroup(data, "klasse 7");
    EXPECT_EQ(QDir(data + "Eigene Gruppen").entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{"Klasse 7"});
    EXPECT_EQ(root.read("Wendrak/Eigene Gruppen/Klasse 7/group.sgp"), QByteArray());
}
