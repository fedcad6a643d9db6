#include "gui/encodingquestion.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

bool askToSaveAsUtf8(QWidget *parent, const DocumentText &text)
{
    const OutsideCharacter outside = firstOutsideCharacter(text).value_or(OutsideCharacter{});
    // The window's own context, like every other text it shows.
    const auto tr = [](const char *source) { return QCoreApplication::translate("MainWindow", source); };
    QMessageBox box(QMessageBox::Question, tr("Simulador de circuitos digitales para diagramas ASM"),
                    tr("El archivo está en Windows-1252, que no tiene el carácter «%1» de la línea %2.\n"
                       "¿Guardarlo en UTF-8?")
                        .arg(outside.character)
                        .arg(outside.line),
                    QMessageBox::NoButton, parent);
    QPushButton *utf8 = box.addButton(tr("Guardar en UTF-8"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(utf8);
    box.exec();
    return box.clickedButton() == utf8;
}
