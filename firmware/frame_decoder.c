#include "frame_decoder.h"

#define TAG 0x80u
#define BITS 0x7Fu

void frame_decoder_reset(frame_decoder* decoder) {
  decoder->first = 0;
  decoder->pending = false;
}

bool frame_decoder_feed(frame_decoder* decoder, uint8_t byte, uint16_t* channels) {
  if ((byte & TAG) == 0) {
    decoder->first = byte;
    decoder->pending = true;
    return false;
  }
  if (!decoder->pending) return false;
  *channels = (uint16_t)((uint16_t)(byte & BITS) << 7) | (uint16_t)(decoder->first & BITS);
  decoder->pending = false;
  return true;
}
