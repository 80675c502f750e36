// Completing a player whose profile leaves situations empty (a player taken over from the
// sibling program): every situation without a K or D case is asked, one page each, after
// an introduction page shown once; the answers are written only when all were given.
#pragma once

#include <QString>
#include <functional>

// The introduction page and the question page of a situation (index 1..12), as page names
// of the question dialog ("Vervollst.html", "ASKMDD.rtf" ... "ASKPKK.rtf").
QString CompletionIntroPage();
QString CompletionQuestionPage(int situation);

// Shows a page and returns the answer: the K cases of ten (0, 5 or 10), or -1 when the
// user stopped. The answer to the introduction page is ignored.
using AskQuestionFn = std::function<int(const QString& pageName)>;

// Asks for every empty situation MDD..PKK of the player file, the introduction first, and
// writes the answers as ten cases each: 1. Returns 0 and leaves the file as it was when
// the user stops. A player without empty situations is rewritten unchanged (1). Throws
// WendrakError naming the file when it cannot be read or written.
int CompletePlayer(const QString& fileName, const AskQuestionFn& AskQuestion);
