// Reading the compiled help file: the context map the windows rely on for F1, links
// between topics, paths as the compiler stored them, and damaged or missing files.
#include "platform/WendrakError.h"
#include "shell/ChmFile.h"

#include "TempRoot.h"
#include "engine_fixtures.h"

#include <QRegularExpression>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class CompiledHelp : public ::testing::Test {
protected:
    const QString path = TempRoot::binaryDir() + "/help/Kemrafeld.chm";
    ChmFile file{path}; // a missing one throws
};

} // namespace

TEST_F(CompiledHelp, EveryHelpContextOfTheWindowsOpensItsTopic) {
    // clang-format off
    const std::pair<int, const char*> rows[] = {
        {11000, "hauptmenue"}, {20000, "spieler_aendern"}, {20100, "spielerkarte"},
        {20200, "spieler_uebernehmen"}, {20300, "neuer_spieler"}, {20400, "gruppenverwaltung"},
        {20500, "spielerboerse"}, {30100, "berechnung"}, {30200, "spielzusammenstellung"},
        {31000, "ergebnis_partien"}, {31100, "ergebnis_platzierungen"},
        {31200, "ergebnis_zusammensetzung"}, {31300, "ergebnis_gruppenergebnisse"},
        {1310, "ergebnis_dienste"}, {31400, "hintergrundmaterial"}, {40000, "glossar"},
        {40100, "hintergrundwissen"}, {40200, "standardexperimente"}, {40300, "friedlich"},
        {50100, "spielerauswahl"}, {50200, "einfuehrung"}};
    // clang-format on
    for (const auto& [context, name] : rows) {
        const QString topic = QStringLiteral("/themen/%1.htm").arg(QLatin1String(name));
        EXPECT_EQ(file.topicForContext(context), topic) << context;
        EXPECT_TRUE(file.read(topic).value_or("").contains("<h1>")) << context;
    }
    EXPECT_EQ(file.contextMap().size(), std::size(rows));
}

TEST_F(CompiledHelp, LinksAndPathsFindStoredFilesWithoutRegardToCaseOrBuildFolder) {
    const QRegularExpression link(R"((?:href|src)="([^"#:]+)(?:#[^"]*)?")");
    for (const QString& topic : file.topics()) {
        for (const auto& m : link.globalMatch(QString::fromUtf8(file.read(topic).value_or("")))) {
            const QString resolved = QUrl("chm:" + topic).resolved(QUrl(m.captured(1))).path();
            EXPECT_TRUE(file.contains(resolved))
                << topic.toStdString() << " -> " << m.captured(1).toStdString();
        }
    }
    EXPECT_TRUE(file.read("/Themen/Glossar.HTM").has_value());
    EXPECT_FALSE(file.read("/themen/gibtsnicht.htm").has_value());
    // The compiler keeps the paths of its own build folder in its tables.
    EXPECT_EQ(file.matchStoredPath("/home/bau/help/themen/glossar.htm"), "/themen/glossar.htm");
    EXPECT_EQ(file.matchStoredPath("C:\\Bau\\help\\themen\\glossar.htm"), "/themen/glossar.htm");
    EXPECT_TRUE(file.matchStoredPath("/home/bau/help/themen/fehlt.htm").isEmpty());
}

TEST_F(CompiledHelp, MissingDamagedOrTruncatedFilesNeitherCrashNorInventTopics) {
    TempRoot root;
    const std::pair<QString, const char*> refused[] = {
        {root.root() + "Kemrafeld.chm", "existiert nicht."},
        {root.write("leer.chm", {}), "kann nicht gelesen werden."},
        {root.write("junk.chm", QByteArray(5000, 'x')), "kann nicht gelesen werden."}};
    for (const auto& [broken, fault] : refused)
        EXPECT_EQ(errorOf([&broken] { ChmFile f(broken); }),
                  QString("Die Hilfedatei \"%1\" %2").arg(broken, fault));
    const QByteArray whole = TempRoot::readFile(path);
    for (const qsizetype size : {qsizetype(100), whole.size() / 3, whole.size() - 200}) {
        try { // refusing a damaged file is fine; reading one must not crash or invent topics
            ChmFile f(root.write("cut.chm", whole.left(size)));
            for (const QString& topic : f.topics())
                (void)f.read(topic);
            for (const auto& [context, topic] : f.contextMap())
                EXPECT_TRUE(f.contains(topic)) << context << " at size " << size;
        } catch (const WendrakError&) {
        }
    }
}
