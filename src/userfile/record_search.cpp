#include "record_search.h"

#include <algorithm>

namespace kivo {
namespace {

// Some 256 KiB a read: few system calls, and a stop is seen within a fraction of a millisecond.
constexpr std::int64_t kRecordsPerRun = 960;

// Where a shown text field lies in the stored record. Decoding every record whole would cost
// more than reading it; instead each field is found once: asked for its bytes of a record
// without a NUL, it answers with the whole of one of the record's fields.
StoredPlace storedPlaceOf(const ShownField& field) {
    RecordBytes noNul;
    noNul.fill('x');
    const UserRecord user = decodeRecord(noNul);
    return storedPlaceOf(user, field.bytes(user).data());
}

} // namespace

const std::vector<const ShownField*>& textFieldsButTheName() {
    static const std::vector<const ShownField*> fields = [] {
        const ShownField* name = shownFieldByControl("txtName");
        std::vector<const ShownField*> other;
        for (const ShownField& field : kShownFields)
            if (field.kind == ShownKind::Text && &field != name)
                other.push_back(&field);
        return other;
    }();
    return fields;
}

std::int64_t SearchOrder::rowAt(std::int64_t step) const {
    const std::int64_t row = (backwards ? first - step : first + step) % rows;
    return row < 0 ? row + rows : row;
}

bool SearchOrder::wrappedAt(std::int64_t step) const {
    return backwards ? first - step < 0 : first + step >= rows;
}

std::optional<FieldHit> findInRecords(const UserFile& file, const TextMatcher& text,
                                      std::span<const ShownField* const> fields,
                                      const SearchOrder& order, std::int64_t fromStep,
                                      std::int64_t toStep, std::stop_token stop) {
    std::vector<StoredPlace> places;
    for (const ShownField* field : fields)
        places.push_back(storedPlaceOf(*field));
    // The stretch of the record that holds every one of the fields. A text in none of its bytes
    // is in no field: most records are done with one look.
    std::size_t begin = kRecordSize;
    std::size_t end = 0;
    for (const StoredPlace& place : places) {
        begin = std::min(begin, place.offset);
        end = std::max(end, place.offset + place.width);
    }
    const StoredPlace all{begin, end > begin ? end - begin : 0};
    // Whether the record's bytes hold the text in one of the fields, and in which.
    const auto fieldHolding = [&](const std::uint8_t* record) -> const ShownField* {
        const auto bytes = reinterpret_cast<const char*>(record);
        if (!text.isIn(std::string_view(bytes + all.offset, all.width)))
            return nullptr;
        for (std::size_t i = 0; i < places.size(); ++i) {
            const std::string_view stored(bytes + places[i].offset, places[i].width);
            if (text.isIn(displayedBytes(stored)))
                return fields[i];
        }
        return nullptr;
    };
    std::vector<std::uint8_t> buffer(std::size_t(kRecordsPerRun) * kRecordSize);
    RecordBytes single;
    for (std::int64_t step = fromStep; step < toStep && !stop.stop_requested();) {
        // A run goes from the step's row towards the end of the list it moves to.
        const std::int64_t row = order.rowAt(step);
        const std::int64_t run =
            std::min({kRecordsPerRun, order.backwards ? row + 1 : order.rows - row, toStep - step});
        const std::int64_t lowest = order.backwards ? row - run + 1 : row;
        std::int64_t got = 0;
        const FileError error = file.readRecords(
            lowest + 1, std::span(buffer).first(std::size_t(run) * kRecordSize), got);
        for (std::int64_t i = 0; i < run; ++i) {
            const std::int64_t at = order.backwards ? run - 1 - i : i; // place in the run
            const std::uint8_t* record = nullptr;
            std::int64_t one = 0;
            if (at < got)
                record = buffer.data() + at * std::int64_t(kRecordSize);
            else if (error && !file.readRecords(lowest + at + 1, single, one) && one == 1)
                record = single.data(); // one locked record refuses its whole run, not the rest
            if (!record)
                continue;
            if (const ShownField* field = fieldHolding(record))
                return FieldHit{step + i, field};
        }
        step += run;
    }
    return std::nullopt;
}

} // namespace kivo
