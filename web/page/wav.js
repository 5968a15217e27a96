// WAV files read to exact float samples (as libsndfile, and so vstrender, reads them) and
// written as 32-bit float. The page decodes WAV itself so that an offline render sees the file's
// own samples at its own rate; other formats go through the browser's decoder.

const kPcm = 1;
const kFloat = 3;
const kExtensible = 0xfffe;

export class WavError extends Error {}

function chunks(view) {
  const found = new Map();
  for (let at = 12; at + 8 <= view.byteLength;) {
    const id = String.fromCharCode(...new Uint8Array(view.buffer, view.byteOffset + at, 4));
    const size = view.getUint32(at + 4, true);
    if (!found.has(id))
      found.set(id, { offset: at + 8, size: Math.min(size, view.byteLength - at - 8) });
    at += 8 + size + (size & 1);
  }
  return found;
}

function sampleReader(view, format, bits) {
  if (format === kFloat && bits === 32) return (at) => view.getFloat32(at, true);
  if (format === kFloat && bits === 64) return (at) => Math.fround(view.getFloat64(at, true));
  if (format !== kPcm) return null;
  switch (bits) {
  case 8: return (at) => (view.getUint8(at) - 128) / 128;
  case 16: return (at) => view.getInt16(at, true) / 32768;
  case 24: return (at) => ((view.getInt8(at + 2) << 16) | view.getUint16(at, true)) / 8388608;
  case 32: return (at) => Math.fround(view.getInt32(at, true)) / 2147483648;
  default: return null;
  }
}

export function isWav(bytes) {
  const head = new Uint8Array(bytes, 0, Math.min(12, bytes.byteLength));
  return head.length === 12 && String.fromCharCode(...head.subarray(0, 4)) === 'RIFF' &&
      String.fromCharCode(...head.subarray(8, 12)) === 'WAVE';
}

// { sampleRate, channels: [Float32Array, ...] } from the bytes of a WAV file; throws WavError.
export function decodeWav(bytes) {
  if (!isWav(bytes))
    throw new WavError('not a WAV file');
  const view = new DataView(bytes);
  const found = chunks(view);
  const fmt = found.get('fmt ');
  const data = found.get('data');
  if (!fmt || fmt.size < 16 || !data)
    throw new WavError('the WAV file has no format or no data chunk');
  let format = view.getUint16(fmt.offset, true);
  const channelCount = view.getUint16(fmt.offset + 2, true);
  const sampleRate = view.getUint32(fmt.offset + 4, true);
  const bits = view.getUint16(fmt.offset + 14, true);
  if (format === kExtensible && fmt.size >= 26)
    format = view.getUint16(fmt.offset + 24, true);
  const read = sampleReader(view, format, bits);
  if (!read)
    throw new WavError(`WAV sample format ${format} with ${bits} bits is not supported`);
  if (channelCount < 1 || sampleRate < 1)
    throw new WavError('the WAV file has no channels or no sample rate');
  const bytesPerFrame = channelCount * (bits / 8);
  const frames = Math.floor(data.size / bytesPerFrame);
  const channels = [];
  for (let c = 0; c < Math.min(channelCount, 2); ++c) {
    const samples = new Float32Array(frames);
    for (let i = 0, at = data.offset + c * bits / 8; i < frames; ++i, at += bytesPerFrame)
      samples[i] = read(at);
    channels.push(samples);
  }
  return { sampleRate, channels };
}

// A 32-bit float WAV file of the channels, interleaved.
export function encodeWavFloat(channels, sampleRate) {
  const frames = channels[0].length;
  const count = channels.length;
  const dataBytes = frames * count * 4;
  const view = new DataView(new ArrayBuffer(44 + dataBytes));
  const tag = (at, text) => [...text].forEach((ch, i) => view.setUint8(at + i, ch.charCodeAt(0)));
  tag(0, 'RIFF');
  view.setUint32(4, 36 + dataBytes, true);
  tag(8, 'WAVE');
  tag(12, 'fmt ');
  view.setUint32(16, 16, true);
  view.setUint16(20, kFloat, true);
  view.setUint16(22, count, true);
  view.setUint32(24, sampleRate, true);
  view.setUint32(28, sampleRate * count * 4, true);
  view.setUint16(32, count * 4, true);
  view.setUint16(34, 32, true);
  tag(36, 'data');
  view.setUint32(40, dataBytes, true);
  for (let i = 0, at = 44; i < frames; ++i)
    for (let c = 0; c < count; ++c, at += 4)
      view.setFloat32(at, channels[c][i], true);
  return view.buffer;
}
