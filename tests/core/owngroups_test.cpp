// Own groups: names that cannot name a folder are refused before anything is written.
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
    EXPECT_FALSE(QFile::exists(root.root() + "Fremd") || QFile::exists(data + "group.sgp"));
}
