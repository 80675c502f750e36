// The HTML builder the main window keeps: a list of text blocks and the tag texts a page
// is made of. It holds them for a page writer; nothing reads or changes them yet.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct TTextBlock {
    QString Text;
};

class THTMLBuilder {
public:
    THTMLBuilder();

    const QList<TTextBlock>& Blocks() const { return FBlocks; }
    int Count() const { return FCount; }
    // The ten tag texts, in the order they were set at creation.
    const QStringList& Tags() const { return FTags; }

private:
    QList<TTextBlock> FBlocks;
    int FCount = 0;
    QStringList FTags;
};
