#pragma once

#include "record_search.h"
#include "text_matcher.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <thread>

namespace kivo {

class UserFile;
class UserListModel;

// What one Find Next or Find Previous came to.
struct FindOutcome {
    enum class Kind {
        Found,           // row, and the field that holds the text (none for a record number)
        NothingFound,    // the selection stays as it was
        NothingToSearch, // the list is empty
        NoText,          // nothing was typed
        NoSuchRecord,    // "#N" with no entry N in the list
    };
    Kind kind = Kind::NothingFound;
    int row = -1;
    const ShownField* field = nullptr;
    bool wrapped = false;
    std::int64_t record = 0; // the N of "#N"
    bool backwards = false;  // the search was a Find Previous
};

// Finds the next user in list order whose shown texts hold what the user typed: the name as the
// list holds it, and the other shown texts as the file holds them. Names are compared on the
// window's thread, in slices; the other fields up to the first name found are read from the file
// in a thread of its own. The list may change meanwhile: a hit is checked against the list and
// the file as they stand before it is reported, and a list emptied, shortened or reordered
// starts the search again.
class UserFinder : public QObject {
    Q_OBJECT
public:
    struct Request {
        QString text;
        LetterCase letterCase = LetterCase::Ignore;
        bool backwards = false;
        int selectedRow = -1; // -1: start at the first entry (the last, backwards)
    };

    UserFinder(const UserListModel& users, const UserFile& file, QObject* parent = nullptr);
    ~UserFinder() override;

    // Starts a search, stopping any running one; finished() tells how it came out, at once when
    // it needs nothing searched.
    void start(const Request& request);
    // Stops the running search; it reports nothing.
    void stop();
    bool isRunning() const { return running_; }

signals:
    void finished(const kivo::FindOutcome& outcome);

private:
    void begin();
    void compareNames();
    void compareOtherFields();
    void fieldsCompared(std::optional<FieldHit> hit);
    bool stillHolds(std::int64_t row, const ShownField* field) const;
    void listChanged();
    void finish(FindOutcome outcome);

    const UserListModel& users_;
    const UserFile& file_;
    Request request_;
    std::unique_ptr<TextMatcher> text_;
    SearchOrder order_;
    std::int64_t fromStep_ = 0;  // steps before it are passed
    std::int64_t namesStep_ = 0; // the next name to compare
    std::uint64_t search_ = 0;   // counts searches, so a late result of a stopped one is dropped
    bool running_ = false;
    std::jthread fields_; // reads the other fields from the file
};

} // namespace kivo
