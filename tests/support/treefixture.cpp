#include "support/treefixture.h"

#include <memory>
#include <stdexcept>

#include <QStringList>

QHash<QString, tnodeinfo *> BuildTree(tMainState &s, const QString &outline)
{
    QHash<QString, tnodeinfo *> byName;
    tnodeinfo *root = s.EntireCollection.get();
    byName.insert(root->NodeName, root);
    root->Expanded = !outline.trimmed().startsWith(QLatin1Char('-'));
    std::vector<tnodeinfo *> stack{root};
    int next = 2000;
    for (const QString &raw : outline.split(QLatin1Char('\n'))) {
        if (raw.trimmed().isEmpty() || raw.trimmed() == QLatin1String("-"))
            continue;
        int indent = 0;
        while (indent < raw.size() && raw[indent] == QLatin1Char(' '))
            ++indent;
        const int depth = indent / 2 + 1;
        QString text = raw.trimmed();
        bool expanded = false;
        if (text.endsWith(QLatin1Char('+'))) {
            expanded = true;
            text.chop(1);
            text = text.trimmed();
        }
        int number = next++;
        const int hash = text.lastIndexOf(QLatin1String(" #"));
        if (hash >= 0) {
            number = text.mid(hash + 2).toInt();
            text = text.left(hash).trimmed();
        }
        if (depth > static_cast<int>(stack.size()))
            throw std::runtime_error("outline skips a level");
        stack.resize(static_cast<size_t>(depth));
        tnodeinfo *n = AddChildNode(stack.back(), number);
        n->NodeName = text;
        n->Expanded = expanded;
        n->UpdateOK = true;
        n->MoveOK = true;
        stack.push_back(n);
        byName.insert(text, n);
    }
    return byName;
}

QString TreeOutline(const tMainState &s)
{
    QStringList lines;
    auto walk = [&](auto &&self, const tnodeinfo *n, int depth) -> void {
        for (const auto &c : n->ChildNodes) {
            if (c->ParentNode != n)
                throw std::runtime_error("ParentNode does not name the owning series");
            lines << QString(depth * 2, QLatin1Char(' ')) + c->NodeName;
            self(self, c.get(), depth + 1);
        }
    };
    walk(walk, s.EntireCollection.get(), 0);
    return lines.join(QLatin1Char('\n'));
}

tCoinInfo *AddEntry(tMainState &s, tnodeinfo *series, int item, bool tracked, bool inBin)
{
    s.CoinList.push_back(std::make_unique<tCoinInfo>());
    tCoinInfo *c = s.CoinList.back().get();
    c->CoinType = series->CoinType;
    c->Folder = series;
    c->Inventory = item;
    c->User1 = tracked;
    c->InBin = inBin;
    return c;
}
