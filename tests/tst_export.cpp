// The export against a stream that fills up as a disk does: what it counts as written ends where
// a user (or the header) ends, never inside one, in any block.
#include "export_users.h"
#include "support/test_files.h"
#include "text_forms.h"
#include "user_file_writer.h"

#include <QTest>

#include <cerrno>
#include <tuple>

using namespace kivo;

namespace {

// Takes what fits in room, noting where each block handed over ends; then refuses.
struct Disk {
    explicit Disk(std::size_t room = -1) : room(room) {}
    std::size_t room;
    std::string taken;
    std::vector<std::size_t> blockEnds;
    std::FILE* stream = fopencookie(this, "w", {nullptr, &Disk::take, nullptr, nullptr});

    static ssize_t take(void* disk, const char* data, std::size_t size) {
        auto& to = *static_cast<Disk*>(disk);
        const std::size_t n = std::min(size, to.room - to.taken.size());
        to.blockEnds.push_back(to.taken.append(data, n).size());
        if (n < size)
            errno = ENOSPC;
        return ssize_t(n);
    }
};

// The header, then users of 200 bytes and a line end over several blocks; the outcome.
auto written(Disk& disk) {
    OutputBlocks out(disk.stream);
    out.append("Record,Name\n");
    out.endHeader();
    for (int user = 0; user < 3000; ++user) {
        out.append(std::string(200, 'u') + '\n');
        if (!out.endUser())
            break;
    }
    out.finish();
    std::fclose(disk.stream);
    return std::tuple(out.bytesWritten(), out.wholeBytes(), out.usersWritten(), out.state(),
                      out.error());
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void cutBackToAWholeUser() {
        Disk whole;
        written(whole);
        QVERIFY(whole.blockEnds.size() > 2);
        for (const std::size_t end : whole.blockEnds) {
            for (const std::int64_t room : {end - 1, end, end + 1}) {
                Disk disk(room);
                const std::int64_t taken = std::min<std::int64_t>(room, whole.taken.size());
                const std::int64_t users = std::max<std::int64_t>(taken - 12, 0) / 201;
                const bool full = taken < std::int64_t(whole.taken.size());
                QCOMPARE(written(disk),
                         std::tuple(taken, taken < 12 ? 0 : 12 + 201 * users, users,
                                    full ? OutputBlocks::State::Failed : OutputBlocks::State::Open,
                                    full ? ENOSPC : 0));
            }
        }
    }

    void formulasDefusedByDefault() {
        testing::TestFiles files;
        UserRecord user;
        user.Name = makeTextField<30>("=1+1");
        UserFile file;
        QVERIFY(!file.open(files.write("U.DAT", tools::userFileBytes({user})).toStdString()));
        Disk disk;
        exportUsers(file, ExportOptions{}, disk.stream);
        std::fclose(disk.stream);
        QVERIFY(disk.taken.find("\n1,'=1+1,") != std::string::npos);
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
