// The chorus module's functions in JavaScript terms: one plug-in instance per ChorusInstance,
// samples passed through the module's memory. Works in the page, in its audio worklet and in Node.

// The module is a standalone WebAssembly binary; what it imports is given here. `extra` adds
// functions the editor's part needs on the page (text measurement).
export function instantiateChorus(module, extra = {}) {
  let instance = null;
  const env = {
    emscripten_notify_memory_growth() {},
    ...extra,
  };
  const wasi = {
    proc_exit(code) { throw new Error(`the chorus module stopped (${code})`); },
    clock_time_get(id, precision, out) {
      const view = new DataView(instance.exports.memory.buffer);
      const now = globalThis.performance ? performance.now() : Date.now();
      view.setBigUint64(out, BigInt(Math.round(now * 1e6)), true);
      return 0;
    },
  };
  const imports = {};
  for (const entry of WebAssembly.Module.imports(module)) {
    const table = entry.module === 'env' ? env : wasi;
    if (!(entry.name in table))
      throw new Error(`the chorus module needs ${entry.module}.${entry.name}, which this page does not provide`);
    (imports[entry.module] ??= {})[entry.name] = table[entry.name];
  }
  instance = new WebAssembly.Instance(module, imports);
  instance.exports._initialize?.();
  return new ChorusModule(instance.exports);
}

export class ChorusModule {
  constructor(exports) {
    this.exports = exports;
  }

  create(sampleRate, maxFrames) {
    const handle = this.exports.chorus_create(sampleRate, maxFrames);
    if (!handle)
      throw new Error(`the chorus cannot run at ${sampleRate} Hz`);
    return new ChorusInstance(this, handle, maxFrames);
  }

  // A NUL-terminated text at `pointer` in the module's memory (not in the audio worklet, whose
  // scope has no TextDecoder).
  text(pointer) {
    const bytes = new Uint8Array(this.exports.memory.buffer, pointer);
    return new TextDecoder().decode(bytes.subarray(0, bytes.indexOf(0)));
  }

  // Views are taken afresh: the memory may have grown since the last call.
  floats(pointer, count) {
    return new Float32Array(this.exports.memory.buffer, pointer, count);
  }
}

export class ChorusInstance {
  constructor(module, handle, maxFrames) {
    this.module = module;
    this.handle = handle;
    this.maxFrames = maxFrames;
    this.x = module.exports;
  }

  destroy() { this.x.chorus_destroy(this.handle); this.handle = 0; }
  resume() { this.x.chorus_resume(this.handle); }
  parameterCount() { return this.x.chorus_parameter_count(this.handle); }
  setParameter(index, normalised) { return this.x.chorus_set_parameter(this.handle, index, normalised) !== 0; }
  getParameter(index) { return this.x.chorus_get_parameter(this.handle, index); }
  parameterName(index) { return this.module.text(this.x.chorus_parameter_name(this.handle, index)); }
  parameterText(index, normalised) { return this.module.text(this.x.chorus_parameter_text(this.handle, index, normalised)); }
  programCount() { return this.x.chorus_program_count(this.handle); }
  program() { return this.x.chorus_get_program(this.handle); }
  setProgram(index) { this.x.chorus_set_program(this.handle, index); }
  programName(index) { return this.module.text(this.x.chorus_program_name(this.handle, index)); }

  // One block: `channels` (one or two Float32Arrays) from `offset`, `frames` long, zero beyond
  // their end; returns the output channels' views, valid until the next call.
  process(channels, offset, frames) {
    for (let c = 0; c < Math.min(channels.length, 2); ++c) {
      const staging = this.module.floats(this.x.chorus_input(this.handle, c), this.maxFrames);
      const source = channels[c];
      const available = Math.max(0, Math.min(frames, source.length - offset));
      staging.set(source.subarray(offset, offset + available));
      staging.fill(0, available, frames);
    }
    this.x.chorus_process(this.handle, frames, Math.min(channels.length, 2));
    const outputs = [];
    for (let c = 0; c < 2; ++c)
      outputs.push(this.module.floats(this.x.chorus_output(this.handle, c), frames));
    return outputs;
  }
}

// The whole input through a fresh instance, as vstrender renders a file: the program, then the
// parameters (host index and normalised value), resume, then blocks of `blockSize` frames, the
// last one filled up with silence; the output has the input's length, in two channels.
export function renderOffline(module, input, settings = {}, blockSize = 1024) {
  const chorus = module.create(input.sampleRate, blockSize);
  try {
    if (settings.program !== undefined)
      chorus.setProgram(settings.program);
    for (const [index, normalised] of settings.parameters ?? [])
      chorus.setParameter(index, normalised);
    chorus.resume();
    const length = input.channels[0].length;
    const output = [new Float32Array(length), new Float32Array(length)];
    for (let done = 0; done < length; done += blockSize) {
      const rendered = chorus.process(input.channels, done, blockSize);
      const count = Math.min(blockSize, length - done);
      output[0].set(rendered[0].subarray(0, count), done);
      output[1].set(rendered[1].subarray(0, count), done);
    }
    return output;
  } finally {
    chorus.destroy();
  }
}
