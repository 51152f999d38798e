#include "codelists.h"

#include "schemafiles.h"

#include <QHash>
#include <QXmlStreamReader>

namespace codelists {

namespace {

QHash<QString, QList<Code>> readAll()
{
    QHash<QString, QList<Code>> lists;
    QXmlStreamReader xml(schemafiles::invoiceSchema());
    QString type;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("simpleType"))
            type = xml.attributes().value(QLatin1String("name")).toString();
        else if (xml.isStartElement() && xml.name() == QLatin1String("enumeration") && !type.isEmpty())
            lists[type] << Code{xml.attributes().value(QLatin1String("value")).toString(), QString()};
        else if (xml.isStartElement() && xml.name() == QLatin1String("documentation") && !lists.value(type).isEmpty()
                 && lists[type].last().description.isEmpty())
            lists[type].last().description = xml.readElementText().simplified();
        else if (xml.isEndElement() && xml.name() == QLatin1String("simpleType"))
            type.clear();
    }
    return lists;
}

const QList<Code> &listed(const QHash<QString, QList<Code>> &lists, const QString &simpleType)
{
    static const QList<Code> none;
    const auto found = lists.constFind(simpleType);
    return found == lists.constEnd() ? none : *found;
}

// The schema still lists the generic natures (N2, N3, N6) beside their
// detailed ones, but the SdI refuses them since 2021.
QHash<QString, QList<Code>> withoutSuperseded(const QHash<QString, QList<Code>> &all)
{
    QHash<QString, QList<Code>> lists;
    for (auto list = all.begin(); list != all.end(); ++list) {
        QList<Code> &admitted = lists[list.key()];
        for (const Code &code : *list)
            if (refinementsOf(list.key(), code.code).isEmpty())
                admitted << code;
    }
    return lists;
}

QStringList codes(const char *simpleType)
{
    QStringList list;
    for (const Code &code : of(QString::fromLatin1(simpleType)))
        list << code.code;
    return list;
}

const QHash<QString, QList<Code>> &everyCode()
{
    static const QHash<QString, QList<Code>> lists = readAll();
    return lists;
}

}

const QList<Code> &of(const QString &simpleType)
{
    static const QHash<QString, QList<Code>> lists = withoutSuperseded(everyCode());
    return listed(lists, simpleType);
}

QList<Code> refinementsOf(const QString &simpleType, const QString &code)
{
    QList<Code> refinements;
    for (const Code &listedCode : listed(everyCode(), simpleType))
        if (listedCode.code.startsWith(code + QLatin1Char('.')))
            refinements << listedCode;
    return refinements;
}

QStringList regime()
{
    return codes("RegimeFiscaleType");
}

QStringList cassa()
{
    return codes("TipoCassaType");
}

QStringList natura()
{
    return codes("NaturaType");
}

}
