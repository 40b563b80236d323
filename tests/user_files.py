"""User files for the Python tests, written the way the board writes them."""

import struct

RECORD_SIZE = 273


def user_record(name, address="", city="", phone="", birthdate="", page_length=24, charset=0,
                language=0, packer=0, protocol=0, time_limit=60, time_left=60, times_on=0,
                messages_written=0, messages_read=0, messages_dumped=0, files_uploaded=0,
                files_downloaded=0, kb_uploaded=0, kb_downloaded=0, resume_number=0):
    """One 273-byte record: texts NUL-padded Windows-1252 (given as str, or as the stored bytes
    themselves), integers little-endian. Bytes this viewer does not show stay zero."""
    record = bytearray(RECORD_SIZE)

    def text(offset, size, value):
        encoded = value if isinstance(value, bytes) else value.encode("cp1252")
        assert len(encoded) <= size, value
        record[offset:offset + len(encoded)] = encoded

    text(0, 30, name)
    text(46, 30, address)
    text(76, 30, city)
    text(106, 18, phone)
    text(124, 18, birthdate)
    record[144] = page_length
    record[145] = charset
    record[146] = language
    record[148] = packer
    record[149] = protocol
    struct.pack_into("<h", record, 151, time_limit)
    struct.pack_into("<h", record, 153, time_left)
    for offset, value in ((161, times_on), (169, messages_written), (177, messages_read),
                          (185, messages_dumped), (193, files_uploaded), (201, files_downloaded),
                          (209, kb_uploaded), (217, kb_downloaded), (225, resume_number)):
        struct.pack_into("<i", record, offset, value)
    return bytes(record)


def write_user_file(path, records, trailing=b""):
    """The records one after another, then the trailing bytes (a partial record)."""
    with open(path, "wb") as out:
        for record in records:
            out.write(record)
        out.write(trailing)
