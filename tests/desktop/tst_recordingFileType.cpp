// The installed file type: a recording as the data-file writer makes it is a Korvan 4720
// recording for the desktop, other CSV files stay plain CSV. Runs against the staged
// install's shared-mime-info database (XDG_DATA_DIRS), as a file manager would look it up.
#include "dataFileWriter.h"

#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

class tst_recordingFileType : public QObject {
    Q_OBJECT
private slots:
    void fileType_data();
    void fileType();

private:
    QTemporaryDir m_dir;
};

static QByteArray writtenRecording()
{
    dataFileSettings settings;
    settings.subType = "AB";
    dataFileColumns columns;
    columns.channels.push_back({3, "K", true});
    std::FILE *file = std::tmpfile();
    if (!file || writeDataFileHeader(file, settings, columns) != 0)
        return QByteArray();
    std::fputs("21.500000,\n", file);
    QByteArray content(int(std::ftell(file)), '\0');
    std::rewind(file);
    content.resize(int(std::fread(content.data(), 1, size_t(content.size()), file)));
    std::fclose(file);
    return content;
}

void tst_recordingFileType::fileType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("type");
    const QByteArray recording = writtenRecording();
    QVERIFY(recording.startsWith("sep=,\nKorvan 4720-AB\n"));
    const QString ours = QStringLiteral("text/x-korvan4720-csv");
    QTest::newRow("recording") << "run.csv" << recording << ours;
    QTest::newRow("recording with CR LF") << "run2.csv" << QByteArray(recording).replace("\n", "\r\n") << ours;
    QTest::newRow("recording without extension") << "run" << recording << ours;
    QTest::newRow("plain CSV") << "table.csv" << QByteArray("a,b\n1,2\n") << "text/csv";
    QTest::newRow("Excel separator line, other program") << "excel.csv" << QByteArray("sep=,\na,b\n") << "text/csv";
}

void tst_recordingFileType::fileType()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, type);
    QFile file(m_dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), qint64(content.size()));
    file.close();
    QCOMPARE(QMimeDatabase().mimeTypeForFile(file.fileName()).name(), type);
}

QTEST_GUILESS_MAIN(tst_recordingFileType)
#include "tst_recordingFileType.moc"
