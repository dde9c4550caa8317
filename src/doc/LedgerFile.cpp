// Loading and saving a ledger file: the form is chosen by the extension, the messages of both
// forms are reported here, and a save replaces the old file only once the new one is complete.

#include <QByteArray>
#include <QFile>
#include <new>

#include "doc/AtomicFileSave.h"
#include "doc/BinaryLedgerForm.h"
#include "doc/CsvLedgerForm.h"
#include "doc/TallymoDoc.h"

namespace tallymo {
namespace {

const UserMessage kNotLedgerFile{"この形式のファイルには対応していません。", 3110,
                                 MessageIcon::Stop};
const UserMessage kUnsupportedVersion{"ファイルのバージョンに対応していません。", 3120,
                                      MessageIcon::Stop};
const UserMessage kUnexpectedError{"予期せぬエラーが発生しました。", 9990, MessageIcon::None};
const UserMessage kInvalidCsv{"CSVデータが正しくありません。", 3060, MessageIcon::Stop};
const UserMessage kWriteError{"書き込みエラーが発生しました。", 9990, MessageIcon::None};
const UserMessage kEarlyEntriesNotSaved{
    "Tallymo Ver.1データファイル形式のため、2000/1/1以前のデータは保存されませんでした。"
    "すべてのデータを保存する場合には、Tallymo Ver.2以降のデータ形式を選択してください。",
    3010, MessageIcon::None};

// The extension is the part of the file name from its last dot, compared byte for byte: only
// a lower-case ".csv" selects the text form; anything else, or no extension, is binary.
bool IsCsvPath(const std::string& path) {
    const std::size_t nameStart = path.find_last_of('/') + 1;  // npos + 1 == 0
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return false;
    return path.compare(dot, std::string::npos, ".csv") == 0;
}

bool ReadWholeFile(const std::string& path, QByteArray& bytes) {
    QFile file(QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size()))));
    if (!file.open(QIODevice::ReadOnly)) return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

}  // namespace

bool CTallymoDoc::LoadLedgerFile(const std::string& path) {
    DeleteContents();
    const bool csv = IsCsvPath(path);
    const UserMessage* failure = nullptr;
    try {
        QByteArray bytes;
        if (!ReadWholeFile(path, bytes)) {
            // The file could not be read at all: still say so rather than fail silently.
            failure = csv ? &kInvalidCsv : &kUnexpectedError;
        } else {
            const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            if (csv) {
                if (!ReadCsvLedger(view, *this)) failure = &kInvalidCsv;
            } else {
                switch (ReadBinaryLedger(view, *this)) {
                    case BinaryReadResult::Loaded:
                        break;
                    case BinaryReadResult::NotLedgerFile:
                        failure = &kNotLedgerFile;
                        break;
                    case BinaryReadResult::UnsupportedVersion:
                        failure = &kUnsupportedVersion;
                        break;
                    case BinaryReadResult::Truncated:
                        failure = &kUnexpectedError;
                        break;
                }
            }
        }
    } catch (const std::bad_alloc&) {
        // Memory ran out (the readers never allocate more than the file's size allows).
        failure = csv ? &kInvalidCsv : &kUnexpectedError;
    }
    if (failure) {
        DeleteContents();
        Report(*failure);
        return false;
    }
    return true;
}

bool CTallymoDoc::SaveLedgerFile(const std::string& path) {
    const bool csv = IsCsvPath(path);
    bool saved = false;
    bool droppedEarlyEntries = false;
    try {
        if (csv) {
            const CsvLedgerText text = WriteCsvLedger(*this);
            droppedEarlyEntries = text.droppedEarlyEntries;
            saved = SaveFileAtomically(path, text.bytes);
        } else {
            const auto reserved = static_cast<std::uint32_t>(m_clock.Now());
            saved = SaveFileAtomically(path, WriteBinaryLedger(*this, reserved));
            // The file holds no entry of amount 0; the document drops them too, but only once
            // the file is in place, so that a failed save changes nothing.
            if (saved) RemoveZeroEntries();
        }
    } catch (const std::exception&) {
        saved = false;
    }
    if (!saved) {
        Report(kWriteError);
        return false;
    }
    if (droppedEarlyEntries) Report(kEarlyEntriesNotSaved);
    return true;
}

}  // namespace tallymo
