#include "user_finder.h"

#include "user_file.h"
#include "user_list_model.h"

#include <QRegularExpression>
#include <QTimer>

namespace kivo {
namespace {

// Names compared in one go on the window's thread: a few milliseconds' worth, so that no list
// holds the window up for long, however busy the machine.
constexpr std::int64_t kNamesPerSlice = 1 << 18;

const ShownField& nameField() {
    static const ShownField& name = *shownFieldByControl("txtName");
    return name;
}

// "#N" asks for record N.
std::optional<std::int64_t> recordNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^#([0-9]{1,18})$"));
    const auto match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong();
}

} // namespace

UserFinder::UserFinder(const UserListModel& users, const UserFile& file, QObject* parent)
    : QObject(parent), users_(users), file_(file) {
    // Rows appended at the end leave every row this search counts where it was; anything else
    // moves them.
    connect(&users, &QAbstractItemModel::modelReset, this, &UserFinder::listChanged);
    connect(&users, &QAbstractItemModel::rowsRemoved, this, &UserFinder::listChanged);
    connect(&users, &QAbstractItemModel::rowsMoved, this, &UserFinder::listChanged);
    connect(&users, &QAbstractItemModel::layoutChanged, this, &UserFinder::listChanged);
    connect(&users, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first) {
        if (first < order_.rows)
            listChanged();
    });
}

UserFinder::~UserFinder() {
    stop();
}

void UserFinder::start(const Request& request) {
    stop();
    request_ = request;
    begin();
}

void UserFinder::stop() {
    ++search_;
    running_ = false;
    fields_.request_stop();
    if (fields_.joinable())
        fields_.join(); // within one run of records
}

void UserFinder::begin() {
    const int rows = users_.rowCount();
    if (rows == 0)
        return finish({FindOutcome::Kind::NothingToSearch});
    if (request_.text.isEmpty())
        return finish({FindOutcome::Kind::NoText});
    if (const auto number = recordNumber(request_.text)) {
        if (*number < 1 || *number > rows)
            return finish({FindOutcome::Kind::NoSuchRecord, -1, nullptr, false, *number});
        return finish({FindOutcome::Kind::Found, int(*number - 1), nullptr, false, *number});
    }
    text_ = std::make_unique<TextMatcher>(request_.text.toStdU16String(), request_.letterCase);
    if (!text_->canMatch())
        return finish({FindOutcome::Kind::NothingFound});
    // A selection past the list's end (it shrank) counts as none.
    const int selected = request_.selectedRow < rows ? request_.selectedRow : -1;
    order_ = {rows, 0, request_.backwards};
    if (request_.backwards)
        order_.first = selected < 0 ? rows - 1 : selected - 1;
    else
        order_.first = selected + 1;
    fromStep_ = namesStep_ = 0;
    running_ = true;
    compareNames();
}

void UserFinder::compareNames() {
    const std::int64_t until = std::min(order_.rows, namesStep_ + kNamesPerSlice);
    const int listed = users_.rowCount(); // a row gone since the search began holds nothing
    for (; namesStep_ < until; ++namesStep_) {
        const int row = int(order_.rowAt(namesStep_));
        if (row < listed && !users_.isPlaceholder(row) && text_->isIn(users_.storedName(row)))
            return compareOtherFields();
    }
    if (namesStep_ == order_.rows)
        return compareOtherFields();
    QTimer::singleShot(0, this, [this, search = search_] {
        if (search == search_ && running_)
            compareNames();
    });
}

void UserFinder::compareOtherFields() {
    // Only the rows before the first name found can change the answer.
    if (fromStep_ == namesStep_)
        return fieldsCompared(std::nullopt);
    auto file = std::make_unique<UserFile>();
    if (file->openCopyOf(file_)) // nothing open, or no handle left: the names alone answer
        return fieldsCompared(std::nullopt);
    fields_ = std::jthread([this, file = std::move(file), text = *text_, order = order_,
                            from = fromStep_, to = namesStep_,
                            search = search_](std::stop_token stop) {
        const auto hit = findInRecords(*file, text, textFieldsButTheName(), order, from, to, stop);
        if (!stop.stop_requested())
            QMetaObject::invokeMethod(
                this,
                [this, search, hit] {
                    if (search == search_ && running_)
                        fieldsCompared(hit);
                },
                Qt::QueuedConnection);
    });
}

void UserFinder::fieldsCompared(std::optional<FieldHit> hit) {
    if (fields_.joinable())
        fields_.join(); // it has posted its answer and is ending
    const std::int64_t step = hit ? hit->step : namesStep_;
    if (step >= order_.rows)
        return finish({FindOutcome::Kind::NothingFound});
    const ShownField* field = hit ? hit->field : &nameField();
    if (stillHolds(order_.rowAt(step), field))
        return finish(
            {FindOutcome::Kind::Found, int(order_.rowAt(step)), field, order_.wrappedAt(step)});
    // The file or the entry changed since it was compared: go on after it.
    fromStep_ = namesStep_ = step + 1;
    compareNames();
}

bool UserFinder::stillHolds(std::int64_t row, const ShownField* field) const {
    if (row >= users_.rowCount() || users_.isPlaceholder(int(row)))
        return false;
    if (field == &nameField())
        return text_->isIn(users_.storedName(int(row)));
    const ReadResult user = file_.read(row + 1);
    return user.record && text_->isIn(field->bytes(*user.record));
}

void UserFinder::listChanged() {
    if (!running_)
        return;
    stop();
    // Start again on the list as it now stands, after the change is wholly done.
    QTimer::singleShot(0, this, [this, search = search_] {
        if (search == search_)
            begin();
    });
}

void UserFinder::finish(FindOutcome outcome) {
    running_ = false;
    outcome.backwards = request_.backwards;
    emit finished(outcome);
}

} // namespace kivo
