#include "emulator/DescriptorProcs.h"

#include <algorithm>
#include <cstring>

namespace emulator {

namespace {

using host::DescriptorKeyID;
using host::DescriptorTypeID;
using host::DescriptorUnitID;
using host::OSErr;
using host::PIReadDescriptor;
using host::PIWriteDescriptor;

constexpr DescriptorTypeID kTypeNull = host::FourCC("null");  // a value whose bytes are malformed
constexpr size_t kMaxListedKeys = 4096;                       // a key list without its terminating 0 stops here

DescriptorStore* gActive = nullptr;

struct ReadSession {
    std::vector<DescriptorItem> items;
    std::vector<DescriptorKeyID> listed;
    size_t next = 0;
    const DescriptorItem* current = nullptr;  // the item of the last getKey, until a getter takes it
    OSErr sticky = 0;                         // the first failure, reported again at close
};

struct WriteSession {
    std::vector<DescriptorItem> items;
};

uint32_t ReadWord(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
void AppendWord(std::vector<uint8_t>& out, uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(word >> shift));
}
double ReadDouble(const uint8_t* p) {
    const uint64_t bits = ReadWord(p) | (static_cast<uint64_t>(ReadWord(p + 4)) << 32);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
void AppendDouble(std::vector<uint8_t>& out, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    AppendWord(out, static_cast<uint32_t>(bits));
    AppendWord(out, static_cast<uint32_t>(bits >> 32));
}

// Payload sizes of the types the store understands; other types carry no payload.
size_t PayloadSize(DescriptorTypeID type) {
    if (type == host::kTypeUnitFloat) return 12;
    if (type == host::kTypeFloat) return 8;
    if (type == host::kTypeInteger) return 4;
    if (type == host::kTypeBoolean) return 1;
    return 0;
}

// Hands the current item to a getter of `type` (nullptr for a getter the store does not serve);
// a mismatch is remembered and reported again by the close, as hosts do.
const DescriptorItem* Take(PIReadDescriptor reader, const DescriptorTypeID* type) {
    auto* session = static_cast<ReadSession*>(reader);
    if (session == nullptr) return nullptr;
    const DescriptorItem* item = session->current;
    session->current = nullptr;
    if (item == nullptr || type == nullptr || item->type != *type) {
        if (session->sticky == 0) session->sticky = kDescriptorParamErr;
        return nullptr;
    }
    return item;
}
const DescriptorItem* Take(PIReadDescriptor reader, DescriptorTypeID type) {
    return Take(reader, &type);
}

// ---- read procs ----
PIReadDescriptor OpenReadProc(host::PIDescriptorHandle handle, host::DescriptorKeyIDArray keys) {
    return gActive->OpenRead(handle, keys);
}
OSErr CloseReadProc(PIReadDescriptor reader) {
    return gActive->CloseRead(reader);
}
host::Boolean GetKeyProc(PIReadDescriptor reader, DescriptorKeyID* key, DescriptorTypeID* type, int32_t* flags) {
    auto* session = static_cast<ReadSession*>(reader);
    if (session == nullptr || session->next >= session->items.size()) return 0;
    session->current = &session->items[session->next++];
    if (key != nullptr) *key = session->current->key;
    if (type != nullptr) *type = session->current->type;
    if (flags != nullptr) *flags = 0;
    return 1;
}
OSErr GetIntegerProc(PIReadDescriptor reader, int32_t* value) {
    const DescriptorItem* item = Take(reader, host::kTypeInteger);
    if (item == nullptr || value == nullptr) return kDescriptorParamErr;
    *value = static_cast<int32_t>(item->number);
    return 0;
}
OSErr GetFloatProc(PIReadDescriptor reader, double* value) {
    const DescriptorItem* item = Take(reader, host::kTypeFloat);
    if (item == nullptr || value == nullptr) return kDescriptorParamErr;
    *value = item->number;
    return 0;
}
OSErr GetUnitFloatProc(PIReadDescriptor reader, DescriptorUnitID* unit, double* value) {
    const DescriptorItem* item = Take(reader, host::kTypeUnitFloat);
    if (item == nullptr || value == nullptr) return kDescriptorParamErr;
    if (unit != nullptr) *unit = item->unit;
    *value = item->number;
    return 0;
}
OSErr GetBooleanProc(PIReadDescriptor reader, host::Boolean* value) {
    const DescriptorItem* item = Take(reader, host::kTypeBoolean);
    if (item == nullptr || value == nullptr) return kDescriptorParamErr;
    *value = static_cast<host::Boolean>(item->number);
    return 0;
}
OSErr GetPinnedIntegerProc(PIReadDescriptor reader, int32_t min, int32_t max, int32_t* value) {
    const OSErr err = GetIntegerProc(reader, value);
    if (err == 0) *value = std::clamp(*value, min, std::max(min, max));
    return err;
}
OSErr GetPinnedFloatProc(PIReadDescriptor reader, const double* min, const double* max, double* value) {
    const OSErr err = GetFloatProc(reader, value);
    if (err == 0 && min != nullptr && *value < *min) *value = *min;
    if (err == 0 && max != nullptr && *value > *max) *value = *max;
    return err;
}
OSErr GetPinnedUnitFloatProc(PIReadDescriptor reader, const double* min, const double* max, DescriptorUnitID* unit,
                             double* value) {
    const OSErr err = GetUnitFloatProc(reader, unit, value);
    if (err == 0 && min != nullptr && *value < *min) *value = *min;
    if (err == 0 && max != nullptr && *value > *max) *value = *max;
    return err;
}
// Types the store never holds: the getter fails like a getter of the wrong type.
template <class... Args>
OSErr UnsupportedGet(PIReadDescriptor reader, Args...) {
    Take(reader, nullptr);
    return kDescriptorParamErr;
}

// ---- write procs ----
PIWriteDescriptor OpenWriteProc() {
    return gActive->OpenWrite();
}
OSErr CloseWriteProc(PIWriteDescriptor writer, host::PIDescriptorHandle* out) {
    return gActive->CloseWrite(writer, out);
}
OSErr Put(PIWriteDescriptor writer, DescriptorKeyID key, DescriptorTypeID type, DescriptorUnitID unit, double number) {
    auto* session = static_cast<WriteSession*>(writer);
    if (session == nullptr) return kDescriptorParamErr;
    session->items.push_back(DescriptorItem{key, type, unit, number});
    return 0;
}
OSErr PutIntegerProc(PIWriteDescriptor writer, DescriptorKeyID key, int32_t value) {
    return Put(writer, key, host::kTypeInteger, 0, value);
}
OSErr PutFloatProc(PIWriteDescriptor writer, DescriptorKeyID key, const double* value) {
    return value != nullptr ? Put(writer, key, host::kTypeFloat, 0, *value) : kDescriptorParamErr;
}
OSErr PutUnitFloatProc(PIWriteDescriptor writer, DescriptorKeyID key, DescriptorUnitID unit, const double* value) {
    return value != nullptr ? Put(writer, key, host::kTypeUnitFloat, unit, *value) : kDescriptorParamErr;
}
OSErr PutBooleanProc(PIWriteDescriptor writer, DescriptorKeyID key, host::Boolean value) {
    return Put(writer, key, host::kTypeBoolean, 0, value);
}
template <class... Args>
OSErr UnsupportedPut(PIWriteDescriptor, Args...) {
    return kDescriptorParamErr;
}

}  // namespace

DescriptorStore::DescriptorStore(HandleLedger& handleLedger) : ledger(handleLedger) {
    readProcs.readDescriptorProcsVersion = 0;
    readProcs.numReadDescriptorProcs = 18;
    readProcs.openReadDescriptorProc = OpenReadProc;
    readProcs.closeReadDescriptorProc = CloseReadProc;
    readProcs.getKeyProc = GetKeyProc;
    readProcs.getIntegerProc = GetIntegerProc;
    readProcs.getFloatProc = GetFloatProc;
    readProcs.getUnitFloatProc = GetUnitFloatProc;
    readProcs.getBooleanProc = GetBooleanProc;
    readProcs.getTextProc = UnsupportedGet<host::Handle*>;
    readProcs.getAliasProc = UnsupportedGet<host::Handle*>;
    readProcs.getEnumeratedProc = UnsupportedGet<host::DescriptorEnumID*>;
    readProcs.getClassProc = UnsupportedGet<DescriptorTypeID*>;
    readProcs.getSimpleReferenceProc = UnsupportedGet<void*>;
    readProcs.getObjectProc = UnsupportedGet<DescriptorTypeID*, host::PIDescriptorHandle*>;
    readProcs.getCountProc = UnsupportedGet<uint32_t*>;
    readProcs.getStringProc = UnsupportedGet<host::Str255*>;
    readProcs.getPinnedIntegerProc = GetPinnedIntegerProc;
    readProcs.getPinnedFloatProc = GetPinnedFloatProc;
    readProcs.getPinnedUnitFloatProc = GetPinnedUnitFloatProc;

    writeProcs.writeDescriptorProcsVersion = 0;
    writeProcs.numWriteDescriptorProcs = 16;
    writeProcs.openWriteDescriptorProc = OpenWriteProc;
    writeProcs.closeWriteDescriptorProc = CloseWriteProc;
    writeProcs.putIntegerProc = PutIntegerProc;
    writeProcs.putFloatProc = PutFloatProc;
    writeProcs.putUnitFloatProc = PutUnitFloatProc;
    writeProcs.putBooleanProc = PutBooleanProc;
    writeProcs.putTextProc = UnsupportedPut<DescriptorKeyID, host::Handle>;
    writeProcs.putAliasProc = UnsupportedPut<DescriptorKeyID, host::Handle>;
    writeProcs.putEnumeratedProc = UnsupportedPut<DescriptorKeyID, DescriptorTypeID, host::DescriptorEnumID>;
    writeProcs.putClassProc = UnsupportedPut<DescriptorKeyID, DescriptorTypeID>;
    writeProcs.putSimpleReferenceProc = UnsupportedPut<DescriptorKeyID, const void*>;
    writeProcs.putObjectProc = UnsupportedPut<DescriptorKeyID, DescriptorTypeID, host::PIDescriptorHandle>;
    writeProcs.putCountProc = UnsupportedPut<DescriptorKeyID, uint32_t>;
    writeProcs.putStringProc = UnsupportedPut<DescriptorKeyID, const unsigned char*>;
    writeProcs.putScopedClassProc = UnsupportedPut<DescriptorKeyID, DescriptorTypeID>;
    writeProcs.putScopedObjectProc = UnsupportedPut<DescriptorKeyID, DescriptorTypeID, host::PIDescriptorHandle>;
    MakeActive();
}

DescriptorStore::~DescriptorStore() {
    if (gActive == this) gActive = nullptr;
}

void DescriptorStore::MakeActive() {
    gActive = this;
}

host::Handle DescriptorStore::Encode(const std::vector<DescriptorItem>& items) {
    std::vector<uint8_t> bytes;
    for (const DescriptorItem& item : items) {
        const size_t payload = PayloadSize(item.type);
        AppendWord(bytes, item.key);
        AppendWord(bytes, item.type);
        AppendWord(bytes, static_cast<uint32_t>(payload));
        if (item.type == host::kTypeUnitFloat) AppendWord(bytes, item.unit);
        if (payload >= 8) AppendDouble(bytes, item.number);
        if (item.type == host::kTypeInteger)
            AppendWord(bytes, static_cast<uint32_t>(static_cast<int32_t>(item.number)));
        if (item.type == host::kTypeBoolean) bytes.push_back(static_cast<uint8_t>(item.number));
    }
    host::Handle handle = ledger.New(static_cast<int32_t>(bytes.size()));
    if (handle != nullptr && !bytes.empty()) std::memcpy(*handle, bytes.data(), bytes.size());
    return handle;
}

std::vector<DescriptorItem> DescriptorStore::Decode(const uint8_t* bytes, size_t size) {
    std::vector<DescriptorItem> items;
    size_t at = 0;
    while (size - at >= 12) {
        DescriptorItem item;
        item.key = ReadWord(bytes + at);
        item.type = ReadWord(bytes + at + 4);
        const uint32_t payload = ReadWord(bytes + at + 8);
        at += 12;
        if (payload > size - at) break;
        const uint8_t* value = bytes + at;
        at += payload;
        if (payload != PayloadSize(item.type)) {
            item.type = kTypeNull;
        } else if (item.type == host::kTypeUnitFloat) {
            item.unit = ReadWord(value);
            item.number = ReadDouble(value + 4);
        } else if (item.type == host::kTypeFloat) {
            item.number = ReadDouble(value);
        } else if (item.type == host::kTypeInteger) {
            item.number = static_cast<int32_t>(ReadWord(value));
        } else if (item.type == host::kTypeBoolean) {
            item.number = value[0];
        }
        items.push_back(item);
    }
    return items;
}

std::vector<DescriptorItem> DescriptorStore::Decode(host::Handle handle) const {
    if (handle == nullptr || !ledger.Owns(handle)) return {};
    return Decode(reinterpret_cast<const uint8_t*>(*handle), static_cast<size_t>(ledger.Size(handle)));
}

PIReadDescriptor DescriptorStore::OpenRead(host::PIDescriptorHandle handle, host::DescriptorKeyIDArray keys) {
    if (handle == nullptr || !ledger.Owns(handle)) return nullptr;
    auto* session = new ReadSession;
    session->items = Decode(handle);
    for (size_t i = 0; keys != nullptr && keys[i] != 0 && i < kMaxListedKeys; ++i) session->listed.push_back(keys[i]);
    ++openSessions;
    return session;
}

OSErr DescriptorStore::CloseRead(PIReadDescriptor reader) {
    auto* session = static_cast<ReadSession*>(reader);
    if (session == nullptr) return kDescriptorParamErr;
    OSErr result = session->sticky;
    for (DescriptorKeyID key : session->listed) {
        const bool present = std::any_of(session->items.begin(), session->items.end(),
                                         [key](const DescriptorItem& item) { return item.key == key; });
        if (!present && result == 0) result = host::kErrMissingParameter;
    }
    delete session;
    --openSessions;
    return result;
}

PIWriteDescriptor DescriptorStore::OpenWrite() {
    ++openSessions;
    return new WriteSession;
}

OSErr DescriptorStore::CloseWrite(PIWriteDescriptor writer, host::PIDescriptorHandle* out) {
    auto* session = static_cast<WriteSession*>(writer);
    if (session == nullptr) return kDescriptorParamErr;
    const std::vector<DescriptorItem> items = std::move(session->items);
    delete session;
    --openSessions;
    if (out == nullptr) return kDescriptorParamErr;
    *out = Encode(items);
    return *out != nullptr ? 0 : host::kMemFullErr;
}

}  // namespace emulator
