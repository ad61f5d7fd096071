#include "net/ex_string_list.h"

int TExStringList::IndexOfName(const QString& name) const
{
    for (int i = 0; i < Count(); ++i) {
        const QString& line = lines_.at(i);
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon >= 0 && QStringView(line).left(colon).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TExStringList::SetValue(const QString& name, const QString& value)
{
    const int index = IndexOfName(name);
    if (value.isEmpty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    const QString line = name + QStringLiteral(": ") + value;
    if (index >= 0)
        lines_[index] = line;
    else
        Add(line);
}
