#include "support/testsupport.h"

double FixedWidth(const QString &text)
{
    return 7.0 * static_cast<double>(text.size());
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}
