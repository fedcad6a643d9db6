#include "sim/verificationlist.h"

#include "core/messagelog.h"
#include "model/designmodel.h"

#include <QHash>
#include <QPair>

namespace {

// Every record of the same cycle and signal takes the expected value of the first of
// them: a later, contradicting verification is overridden, not reported. Only the
// indexes that all three lists have are records.
void reconcileRepeats(DesignModel &m)
{
    const qsizetype count = qMin(m.verifyCycles.size(), qMin(m.verifyVariables.size(), m.verifyValues.size()));
    QHash<QPair<qint32, QString>, qint32> firstValues;
    firstValues.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const QPair<qint32, QString> key(m.verifyCycles.at(i), m.verifyVariables.at(i));
        const auto found = firstValues.constFind(key);
        if (found == firstValues.cend())
            firstValues.insert(key, m.verifyValues.at(i));
        else
            m.verifyValues[i] = found.value();
    }
}

// One column per entry, each list printed whole even when the lists differ in length.
QString numbersRow(const QString &label, const QVector<qint32> &values)
{
    QString row = label;
    for (qint32 value : values)
        row += QString::number(value) + QLatin1Char('\t');
    return row;
}

} // namespace

void reportVerificationList(DesignModel &m, MessageLog &log)
{
    reconcileRepeats(m);

    QString names = QStringLiteral("\nVariable a verificar: \t");
    for (const QString &name : std::as_const(m.verifyVariables))
        names += name + QLatin1Char('\t');
    const QString table = numbersRow(QStringLiteral("Ciclo de actuacion:  \t  "), m.verifyCycles) + names
                          + numbersRow(QStringLiteral("\nValor a verificar:    \t  "), m.verifyValues);

    showInOutputPane(log, {QStringLiteral("\n//-------------------------VERIFICACIONES------------------------//"), table});
}
