#include "imaging/formats/GIFLzwEncoder.h"

#include <cstring>

void TGIFLzwEncoder::Encode(const std::uint8_t* indexes, std::size_t count, int tableBits,
                            std::vector<std::uint8_t>& out) {
  TGIFLzwEncoder encoder(out);
  encoder.Run(indexes, count, tableBits);
}

void TGIFLzwEncoder::ClearHash() { std::memset(FKeys, 0xFF, sizeof FKeys); }

void TGIFLzwEncoder::FlushPacket() {
  if (FPacketSize == 0) return;
  FOut.push_back(static_cast<std::uint8_t>(FPacketSize));
  FOut.insert(FOut.end(), FPacket, FPacket + FPacketSize);
  FPacketSize = 0;
}

void TGIFLzwEncoder::Emit(int code) {
  FAccumulator |= static_cast<std::uint32_t>(code) << FBitCount;
  FBitCount += FCodeSize;
  while (FBitCount >= 8) {
    FPacket[FPacketSize++] = static_cast<std::uint8_t>(FAccumulator);
    if (FPacketSize == 255) FlushPacket();
    FAccumulator >>= 8;
    FBitCount -= 8;
  }
  if (code == FClear) {
    FCodeSize = FInitBits + 1;
    FLargest = (1 << FCodeSize) - 1;
  } else if (FNext > FLargest) {
    ++FCodeSize;
    FLargest = FCodeSize >= 12 ? kMaxCode : (1 << FCodeSize) - 1;
  }
}

void TGIFLzwEncoder::Run(const std::uint8_t* indexes, std::size_t count, int tableBits) {
  FInitBits = tableBits < 2 ? 2 : tableBits;
  FOut.push_back(static_cast<std::uint8_t>(FInitBits));
  FClear = 1 << FInitBits;
  FEnd = FClear + 1;
  FNext = FClear + 2;
  FCodeSize = FInitBits + 1;
  FLargest = (1 << FCodeSize) - 1;
  ClearHash();
  Emit(FClear);

  if (count > 0) {
    int ent = indexes[0];
    for (std::size_t i = 1; i < count; ++i) {
      const int c = indexes[i];
      const std::int32_t key = (c << 12) + ent;
      int slot = (c << 4) ^ ent;
      bool found = false;
      if (FKeys[slot] == key) {
        found = true;
      } else if (FKeys[slot] >= 0) {
        const int step = slot == 0 ? 1 : kHashSize - slot;
        do {
          slot -= step;
          if (slot < 0) slot += kHashSize;
          if (FKeys[slot] == key) {
            found = true;
            break;
          }
        } while (FKeys[slot] >= 0);
      }
      if (found) {
        ent = FCodes[slot];
        continue;
      }
      Emit(ent);
      ent = c;
      if (FNext < kMaxCode) {
        FCodes[slot] = static_cast<std::uint16_t>(FNext++);
        FKeys[slot] = key;
      } else {
        ClearHash();
        FNext = FClear + 2;
        Emit(FClear);
      }
    }
    Emit(ent);
  }
  Emit(FEnd);
  while (FBitCount > 0) {
    FPacket[FPacketSize++] = static_cast<std::uint8_t>(FAccumulator);
    if (FPacketSize == 255) FlushPacket();
    FAccumulator >>= 8;
    FBitCount = FBitCount > 8 ? FBitCount - 8 : 0;
  }
  FlushPacket();
  FOut.push_back(0);
}
