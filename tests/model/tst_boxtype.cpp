// The box types: one table of names, read by the reader, printed by every report and
// recognised by the editor's highlighter.

#include "model/boxtype.h"
#include "model/readerkeywords.h"
#include "testmain.h"

#include <QTest>

class TestBoxType : public QObject {
    Q_OBJECT

private slots:
    // The sixteen names a design file may write, in the order of the box-type report.
    void everyTypeHasTheNameOfTheDesignFile()
    {
        const QStringList names{"Header",   "Ports",         "Code",    "ThreadSync", "Event",
                                "Default",  "Instance",      "MetaState", "StateAsyncOps", "Initial",
                                "Decision", "State",         "CondSyncOps", "CondAsyncOps", "SyncOps",
                                "AsyncOps"};
        QCOMPARE(boxTypeNames(allBoxTypes()), names);
        for (const QString &name : names)
            QCOMPARE(boxTypeName(boxTypeNamed(name)), name);
    }

    // A box whose type line is missing or unknown prints an empty type.
    void anUnknownTypeIsNoneAndPrintsEmpty()
    {
        QCOMPARE(boxTypeName(BoxType::None), QString());
        for (const char *name : {"", "state", "STATE", "States", "Bogus", " State"})
            QCOMPARE(boxTypeNamed(QString::fromLatin1(name)), BoxType::None);
        QCOMPARE(boxTypesNamed({"Decision", "nothing", "Event"}),
                 (QVector<BoxType>{BoxType::Decision, BoxType::None, BoxType::Event}));
    }

    void headingNamesOfTheReader()
    {
        QCOMPARE(boxTypeHeadingName(BoxType::Event), QStringLiteral("EVENTS"));
        QCOMPARE(boxTypeHeadingName(BoxType::Default), QStringLiteral("DEFAULTS"));
        QCOMPARE(boxTypeHeadingName(BoxType::CondAsyncOps), QStringLiteral("CONDASYNCOPS"));
        QCOMPARE(boxTypeHeadingName(BoxType::None), QStringLiteral("DESCONOCIDA"));
        QCOMPARE(textHeading(TextDown, BoxType::None),
                 QStringLiteral("TextoDown de la caja DESCONOCIDA analizandose. Linea: "));
        QCOMPARE(boxTypeLabel(BoxType::MetaState), QStringLiteral("Meta State"));
    }

    // A longer name wins over the shorter one it contains; the search is case-sensitive.
    void typeLineFindsTheLongestName()
    {
        QCOMPARE(findBoxType(QStringLiteral("  Type = StateAsyncOps;")), BoxType::StateAsyncOps);
        QCOMPARE(findBoxType(QStringLiteral("  Type = CondSyncOps;")), BoxType::CondSyncOps);
        QCOMPARE(findBoxType(QStringLiteral("  Type = CondAsyncOps;")), BoxType::CondAsyncOps);
        QCOMPARE(findBoxType(QStringLiteral("  Type = MetaState;")), BoxType::MetaState);
        QCOMPARE(findBoxType(QStringLiteral("  Type = AsyncOps;")), BoxType::AsyncOps);
        QCOMPARE(findBoxType(QStringLiteral("  Type = asyncops;")), BoxType::None);
    }

    void stateTypes()
    {
        QList<BoxType> states;
        for (BoxType type : allBoxTypes())
            if (isStateType(type))
                states << type;
        QCOMPARE(states, (QList<BoxType>{BoxType::MetaState, BoxType::StateAsyncOps, BoxType::State}));
    }
};

ASMSIM_REGISTER_TEST(TestBoxType)
#include "tst_boxtype.moc"
