// The audio worklet: one instance of the chorus module playing the page's input, 128 frames a
// block at the context's rate. Parameter values come from the page's editor as messages.
import { instantiateChorus } from './chorus-module.js';

class StereoChorusProcessor extends AudioWorkletProcessor {
  constructor(options) {
    super();
    const { module, parameters } = options.processorOptions;
    this.chorus = instantiateChorus(module).create(sampleRate, 128);
    for (const [index, value] of parameters)
      this.chorus.setParameter(index, value);
    this.chorus.resume();
    this.port.onmessage = (event) => {
      for (const [index, value] of event.data.parameters)
        this.chorus.setParameter(index, value);
    };
  }

  process(inputs, outputs) {
    const output = outputs[0];
    const frames = output[0].length;
    const input = inputs[0].length > 0 ? inputs[0] : [new Float32Array(frames)];
    const rendered = this.chorus.process(input.slice(0, 2), 0, frames);
    for (let c = 0; c < output.length; ++c)
      output[c].set(rendered[Math.min(c, 1)]);
    return true;
  }
}

registerProcessor('stereo-chorus', StereoChorusProcessor);
