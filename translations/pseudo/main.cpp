// olva-pseudotranslate IN.ts OUT.ts
//
// Writes the pseudo-translation of every message of IN.ts (its source texts;
// its translations are not read) to OUT.ts, for lrelease to turn into a .qm.

#include "pseudotranslation.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

struct Message
{
    QString source;
    QString comment;
    bool numerus = false;
};

struct Context
{
    QString name;
    QList<Message> messages;
};

QList<Context> read(QXmlStreamReader& xml)
{
    QList<Context> contexts;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("context")) {
            contexts.append(Context{});
        } else if (name == QLatin1String("name") && !contexts.isEmpty()) {
            contexts.last().name = xml.readElementText();
        } else if (name == QLatin1String("message") && !contexts.isEmpty()) {
            Message message;
            message.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            contexts.last().messages.append(message);
        } else if (name == QLatin1String("source") && !contexts.isEmpty() &&
                   !contexts.last().messages.isEmpty()) {
            contexts.last().messages.last().source = xml.readElementText();
        } else if (name == QLatin1String("comment") && !contexts.isEmpty() &&
                   !contexts.last().messages.isEmpty()) {
            contexts.last().messages.last().comment = xml.readElementText();
        }
    }
    return contexts;
}

void write(QXmlStreamWriter& xml, const QList<Context>& contexts)
{
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    xml.writeStartElement(QStringLiteral("TS"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    // Plurals as English has them: one and many.
    xml.writeAttribute(QStringLiteral("language"), QStringLiteral("en"));
    for (const Context& context : contexts) {
        xml.writeStartElement(QStringLiteral("context"));
        xml.writeTextElement(QStringLiteral("name"), context.name);
        for (const Message& message : context.messages) {
            xml.writeStartElement(QStringLiteral("message"));
            if (message.numerus)
                xml.writeAttribute(QStringLiteral("numerus"), QStringLiteral("yes"));
            xml.writeTextElement(QStringLiteral("source"), message.source);
            if (!message.comment.isEmpty())
                xml.writeTextElement(QStringLiteral("comment"), message.comment);
            xml.writeStartElement(QStringLiteral("translation"));
            if (message.numerus) {
                for (const QString& form : PseudoTranslation::numerusOf(message.source))
                    xml.writeTextElement(QStringLiteral("numerusform"), form);
            } else {
                xml.writeCharacters(PseudoTranslation::of(message.source));
            }
            xml.writeEndElement();
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        err << "usage: olva-pseudotranslate IN.ts OUT.ts\n";
        return 2;
    }
    QFile in(arguments.at(1));
    if (!in.open(QIODevice::ReadOnly)) {
        err << "olva-pseudotranslate: cannot read " << in.fileName() << '\n';
        return 1;
    }
    QXmlStreamReader reader(&in);
    const QList<Context> contexts = read(reader);
    if (reader.hasError()) {
        err << "olva-pseudotranslate: " << in.fileName() << ':' << reader.lineNumber() << ": "
            << reader.errorString() << '\n';
        return 1;
    }
    QSaveFile out(arguments.at(2));
    if (!out.open(QIODevice::WriteOnly)) {
        err << "olva-pseudotranslate: cannot write " << out.fileName() << '\n';
        return 1;
    }
    QXmlStreamWriter writer(&out);
    write(writer, contexts);
    return out.commit() ? 0 : 1;
}
