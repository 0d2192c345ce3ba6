#include "documents/PdfProbe.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

constexpr double kMmPerPoint = 25.4 / 72.0;

} // namespace

QList<PdfProbe::Word> PdfProbe::words(const QString& pdf)
{
    const QString html = run(QStringLiteral("pdftotext"),
                             {QStringLiteral("-bbox"), QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>)re"));
    QList<Word> result;
    int page = -1;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        Word word;
        word.page = page;
        word.box = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * kMmPerPoint,
                          QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()) * kMmPerPoint);
        // Ligatures ("fi") read as their letters.
        word.text = QTextDocumentFragment::fromHtml(m.captured(5))
                        .toPlainText()
                        .normalized(QString::NormalizationForm_KC);
        result.append(word);
    }
    return result;
}

QString PdfProbe::pageText(const QList<Word>& words, int page)
{
    QStringList texts;
    for (const Word& word : words) {
        if (word.page == page)
            texts.append(word.text);
    }
    return texts.join(QLatin1Char(' '));
}

PdfProbe::Word PdfProbe::find(const QList<Word>& words, const QString& text, int page)
{
    for (const Word& word : words) {
        if (word.page == page && word.text == text)
            return word;
    }
    return {};
}

QStringList PdfProbe::fonts(const QString& pdf)
{
    const QStringList lines =
        run(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList result;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        QString name = lines.at(i).section(QLatin1Char(' '), 0, 0);
        const qsizetype plus = name.indexOf(QLatin1Char('+'));
        if (plus == 6)
            name = name.mid(plus + 1);
        if (!result.contains(name))
            result.append(name);
    }
    result.sort();
    return result;
}

int PdfProbe::pageCount(const QString& pdf)
{
    static const QRegularExpression pages(QStringLiteral(R"re(Pages:\s+(\d+))re"));
    const QRegularExpressionMatch m = pages.match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PdfProbe::toPng(const QString& pdf, const QString& prefix, int dpi)
{
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                                     QStringLiteral("-singlefile"), pdf, prefix});
    return prefix + QStringLiteral(".png");
}
