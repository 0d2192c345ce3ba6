#pragma once

#include <QString>
#include <QStringList>

// The text of the consent form: a plain file in the program folder, "Modulo consenso.txt", that
// the association may edit, written with an Italian default when missing. Each line is a
// paragraph, an empty line a space; the first line is the title. {nome}, {data_nascita},
// {luogo_nascita}, {codice_fiscale} and {associazione} are replaced by the person's data; an
// empty value leaves a line to fill in by hand.
namespace ConsentFormText {

struct Person {
    QString nome;
    QString dataNascita;
    QString luogoNascita;
    QString codiceFiscale;
    QString associazione;
};

QString fileName();
QString defaultText();
// The file's text (UTF-8, or Windows-1252 when it is not UTF-8); a missing file is first written
// with the default text. When it can neither be read nor written, the default text.
QString load(const QString& programFolder);
// The text with the placeholders replaced, as lines.
QStringList fill(const QString& text, const Person& person);

} // namespace ConsentFormText
