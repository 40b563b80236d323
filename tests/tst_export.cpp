// The export's own defaults and limits, below the command line: what a caller gets without
// asking, and a code no byte can hold.
#include "export_users.h"
#include "support/test_files.h"
#include "text_forms.h"
#include "user_file_writer.h"

#include <QTest>

#include <cstdio>

using namespace kivo;

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void formulasDefusedByDefault() {
        testing::TestFiles files;
        UserRecord user;
        user.Name = makeTextField<30>("=1+1");
        UserFile file;
        QVERIFY(!file.open(files.write("U.DAT", tools::userFileBytes({user})).toStdString()));
        std::FILE* stream = std::fopen(QFile::encodeName(files.path("users.csv")), "w+b");
        exportUsers(file, ExportOptions{}, stream);
        std::rewind(stream);
        std::string written(4096, '\0');
        written.resize(std::fread(written.data(), 1, written.size(), stream));
        std::fclose(stream);
        QVERIFY(written.find("\n1,'=1+1,") != std::string::npos);
    }

    void captionsPastAByteMadeEachTime() { // a code past a byte indexes no cell
        CaptionCells cells;
        int made = 0;
        for (const std::int64_t value : {-1, 256, 256, 7, 7})
            cells.cell(value, [&] { return std::to_string(++made); });
        QCOMPARE(made, 4);
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
