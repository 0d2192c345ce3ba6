#include "documents/PdfProbe.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <cmath>

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

QString PdfProbe::rawText(const QString& pdf)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
}

int PdfProbe::tabsInTextLayer(const QString& pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    static const QRegularExpression section(QStringLiteral("beginbf(char|range)(.*?)endbf"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression code(QStringLiteral("<([0-9A-Fa-f]+)>"));
    int tabs = 0;
    for (auto it = section.globalMatch(QString::fromLatin1(bytes)); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const int sources = match.captured(1) == QLatin1String("char") ? 1 : 2;
        for (const QString& line : match.captured(2).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            int at = 0;
            for (auto codes = code.globalMatch(line); codes.hasNext(); ++at) {
                const QString value = codes.next().captured(1);
                if (at >= sources && value.toUInt(nullptr, 16) == 9)
                    ++tabs;
            }
        }
    }
    return tabs;
}

namespace {

// The inflated content of every FlateDecode stream of the file.
QList<QByteArray> inflatedStreams(const QByteArray& file)
{
    QList<QByteArray> streams;
    qsizetype at = 0;
    while ((at = file.indexOf("stream", at)) >= 0) {
        const qsizetype dictionary = file.lastIndexOf("<<", at);
        const bool flate = dictionary >= 0 && file.mid(dictionary, at - dictionary).contains("/FlateDecode");
        qsizetype start = at + 6;
        if (file.mid(start, 2) == "\r\n")
            start += 2;
        else if (file.at(start) == '\n')
            start += 1;
        const qsizetype end = file.indexOf("endstream", start);
        if (end < 0)
            break;
        if (flate) {
            QByteArray packed = file.mid(start, end - start);
            // qUncompress wants the expected size first, big-endian.
            const quint32 guess = quint32(packed.size()) * 64 + 4096;
            packed.prepend(char(guess & 0xFF));
            packed.prepend(char((guess >> 8) & 0xFF));
            packed.prepend(char((guess >> 16) & 0xFF));
            packed.prepend(char((guess >> 24) & 0xFF));
            streams.append(qUncompress(packed));
        } else {
            streams.append(file.mid(start, end - start));
        }
        at = end + 9;
    }
    return streams;
}

} // namespace

QList<double> PdfProbe::fontSizes(const QString& pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<double> sizes;
    for (const QByteArray& content : inflatedStreams(file.readAll())) {
        if (!content.contains(" Tf"))
            continue;
        // Only the vertical scale matters for a size: the transformations here never rotate.
        QList<double> scales{1.0};
        QList<double> operands;
        for (const QByteArray& token : content.simplified().split(' ')) {
            bool number = false;
            const double value = token.toDouble(&number);
            if (number) {
                operands.append(value);
                continue;
            }
            if (token == "q") {
                scales.append(scales.last());
            } else if (token == "Q") {
                if (scales.size() > 1)
                    scales.removeLast();
            } else if (token == "cm" && operands.size() >= 6) {
                const double b = operands.at(operands.size() - 5);
                const double d = operands.at(operands.size() - 3);
                scales.last() *= std::sqrt(b * b + d * d);
            } else if (token == "Tf" && !operands.isEmpty()) {
                sizes.append(operands.last() * scales.last());
            }
            if (!token.startsWith('/') && !token.startsWith('<') && !token.startsWith('['))
                operands.clear();
        }
    }
    return sizes;
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
