// The page: loads the chorus module, opens the plug-in's editor, plays the demo loop, a file or
// the microphone through the chorus in an audio worklet, and renders the input offline into a
// WAV file. Everything runs here; nothing is sent anywhere.
import { instantiateChorus, renderOffline } from './chorus-module.js';
import { decodeWav, encodeWavFloat, isWav, WavError } from './wav.js';
import { EditorFace, textImports } from './editor-face.js';

const kBypass = 0;
const $ = (id) => document.getElementById(id);

const state = {
  module: null,       // the compiled WebAssembly.Module, shared with the worklet
  chorus: null,       // the editor's instance (ChorusModule + ChorusInstance)
  demo: null,         // { name, sampleRate, channels }
  file: null,
  audio: null,        // { context, node, source, stream } while playing
};

function showMessage(text) {
  const message = $('message');
  message.textContent = text;
  message.hidden = !text;
}

function setStatus(text) {
  $('status').textContent = text;
}

function currentInput() {
  return document.querySelector('input[name=source]:checked').value === 'file' && state.file ? state.file : state.demo;
}

// The editor's values, host index and normalised value, as the worklet and the renders take them.
function currentParameters() {
  const { instance } = state.chorus;
  return Array.from({ length: instance.parameterCount() }, (_, i) => [i, instance.getParameter(i)]);
}

async function loadModule() {
  const response = await fetch('chorus.wasm');
  if (!response.ok)
    throw new Error(`chorus.wasm could not be loaded (${response.status})`);
  state.module = await WebAssembly.compile(await response.arrayBuffer());
  let chorusModule = null;
  chorusModule = instantiateChorus(state.module, textImports(() => chorusModule.exports.memory));
  const instance = chorusModule.create(44100, 1024);
  instance.resume();
  state.chorus = { module: chorusModule, instance };
  state.face = new EditorFace($('editor-host'), chorusModule, instance, forwardToWorklet);
}

function forwardToWorklet(changes) {
  state.audio?.node.port.postMessage({ parameters: changes });
  const [index, value] = changes[changes.length - 1];
  if (index === kBypass)
    showBypass(value >= 0.5);
}

async function loadDemo() {
  const response = await fetch('demo-input.wav');
  if (!response.ok)
    throw new Error(`the demo loop could not be loaded (${response.status})`);
  state.demo = { name: 'demo', ...decodeWav(await response.arrayBuffer()) };
}

// WAV files keep their own samples and rate; anything else goes to the browser's decoder.
async function decodeFile(name, bytes) {
  if (isWav(bytes)) {
    try {
      return { name, ...decodeWav(bytes) };
    } catch (error) {
      if (!(error instanceof WavError))
        throw error;
    }
  }
  const context = new OfflineAudioContext(2, 1, 44100);
  let buffer;
  try {
    buffer = await context.decodeAudioData(bytes.slice(0));
  } catch {
    throw new WavError(`“${name}” could not be decoded: this browser does not read it as audio. ` +
                       'Try a WAV, FLAC, MP3 or Ogg file.');
  }
  const channels = [];
  for (let c = 0; c < Math.min(buffer.numberOfChannels, 2); ++c)
    channels.push(buffer.getChannelData(c));
  return { name, sampleRate: buffer.sampleRate, channels };
}

async function openFile(file) {
  showMessage('');
  try {
    state.file = await decodeFile(file.name, await file.arrayBuffer());
  } catch (error) {
    showMessage(error instanceof WavError ? error.message : `“${file.name}” could not be read: ${error.message}`);
    return;
  }
  $('source-file').disabled = false;
  $('source-file').checked = true;
  $('file-name').textContent = file.name;
  const seconds = state.file.channels[0].length / state.file.sampleRate;
  setStatus(`${file.name}: ${seconds.toFixed(1)} s at ${state.file.sampleRate} Hz, ${state.file.channels.length === 1 ? 'mono' : 'stereo'}`);
  if (state.audio)
    await restart();
}

async function startAudio() {
  const context = new AudioContext();
  await context.audioWorklet.addModule('chorus-worklet.js');
  const node = new AudioWorkletNode(context, 'stereo-chorus', {
    numberOfInputs: 1, numberOfOutputs: 1, outputChannelCount: [2],
    processorOptions: { module: state.module, parameters: currentParameters() },
  });
  node.connect(context.destination);
  const audio = { context, node, source: null, stream: null };
  if (document.querySelector('input[name=source]:checked').value === 'microphone') {
    audio.stream = await navigator.mediaDevices.getUserMedia({
      audio: { echoCancellation: false, noiseSuppression: false, autoGainControl: false } });
    audio.source = context.createMediaStreamSource(audio.stream);
  } else {
    const input = currentInput();
    const buffer = new AudioBuffer({ length: input.channels[0].length, numberOfChannels: input.channels.length,
                                     sampleRate: input.sampleRate });
    input.channels.forEach((samples, c) => buffer.copyToChannel(samples, c));
    audio.source = new AudioBufferSourceNode(context, { buffer, loop: true });
    audio.source.start();
  }
  audio.source.connect(node);
  state.audio = audio;
}

async function stopAudio() {
  const audio = state.audio;
  state.audio = null;
  if (!audio)
    return;
  audio.stream?.getTracks().forEach((track) => track.stop());
  await audio.context.close();
}

async function restart() {
  await stopAudio();
  await play();
}

async function play() {
  showMessage('');
  try {
    await startAudio();
    $('play').textContent = 'Stop';
    setStatus('Playing through the chorus.');
  } catch (error) {
    await stopAudio();
    const denied = error.name === 'NotAllowedError';
    showMessage(denied ? 'The microphone was not allowed; choose the demo loop or a file.' : `Cannot play: ${error.message}`);
  }
}

async function togglePlay() {
  if (state.audio) {
    await stopAudio();
    $('play').textContent = 'Play';
    setStatus('Stopped.');
  } else {
    await play();
  }
}

function showBypass(on) {
  $('ab').setAttribute('aria-pressed', String(on));
  $('ab').textContent = on ? 'A/B: B (bypassed)' : 'A/B: A (chorus)';
}

// The A/B switch is the plug-in's own Bypass: the editor's button follows it.
function toggleBypass() {
  const on = state.chorus.instance.getParameter(kBypass) < 0.5;
  state.chorus.instance.setParameter(kBypass, on ? 1 : 0);
  forwardToWorklet([[kBypass, on ? 1 : 0]]);
  state.face.update();
}

// The whole input through a fresh instance with the editor's settings, in blocks of 1024 frames
// as vstrender renders; `settings` (a program, parameters) replaces the editor's.
function render(settings) {
  const input = currentInput();
  const chosen = settings ?? { parameters: currentParameters() };
  return { input, output: renderOffline(state.chorus.module, input, chosen, 1024) };
}

function download() {
  const { input, output } = render();
  const url = URL.createObjectURL(new Blob([encodeWavFloat(output, input.sampleRate)], { type: 'audio/wav' }));
  const link = document.createElement('a');
  link.href = url;
  link.download = `${input.name.replace(/\.[^.]*$/, '')}-stereo-chorus.wav`;
  link.click();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
  setStatus(`Rendered ${link.download}.`);
}

function acceptDrops() {
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    document.body.classList.add('dropping');
  });
  document.addEventListener('dragleave', () => document.body.classList.remove('dropping'));
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    document.body.classList.remove('dropping');
    const file = event.dataTransfer?.files[0];
    if (file)
      openFile(file);
  });
}

function wireControls(hasWorklet) {
  $('play').addEventListener('click', togglePlay);
  $('ab').addEventListener('click', toggleBypass);
  $('download').addEventListener('click', download);
  $('file').addEventListener('change', (event) => event.target.files[0] && openFile(event.target.files[0]));
  document.querySelectorAll('input[name=source]').forEach((radio) => radio.addEventListener('change', () => {
    if (state.audio)
      restart();
  }));
  $('editor-host').addEventListener('editor-announce', (event) => { $('editor-value').textContent = event.detail; });
  acceptDrops();
  if (!hasWorklet) {
    $('play').disabled = true;
    showMessage('This browser has no AudioWorklet, so the chorus cannot play here. The editor and ' +
                '“Download” (an offline render) still work; for live sound use a current Chrome, Firefox or Safari.');
  }
}

// What the page's tests use: renders as raw little-endian floats in base64, the editor's values.
function testInterface() {
  const base64 = (samples) => {
    const bytes = new Uint8Array(samples.buffer, samples.byteOffset, samples.byteLength);
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000)
      text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(text);
  };
  return {
    render(settings) {
      const { input, output } = render(settings);
      return { sampleRate: input.sampleRate, left: base64(output[0]), right: base64(output[1]) };
    },
    parameters: () => currentParameters(),
    parameterText: (index) => state.chorus.instance.parameterText(index, state.chorus.instance.getParameter(index)),
    // The editor's controls and a fader's thumb, in CSS pixels from the editor's corner.
    controls: () => state.face.controls.map((c) => state.face.toCss(c)),
    thumb: (id) => state.face.thumb(id),
    scale: () => state.face.scale,
    // The text runs of the editor's window `index` (0 the editor, then its popups) as last painted.
    texts: (index) => state.face.texts(index),
    playing: () => state.audio !== null && state.audio.context.state === 'running',
  };
}

async function main() {
  const hasWorklet = typeof AudioWorkletNode === 'function' && 'audioWorklet' in (window.AudioContext?.prototype ?? {});
  wireControls(hasWorklet);
  try {
    await Promise.all([loadModule(), loadDemo()]);
    setStatus('Ready: press Play, open a file or drop one here.');
  } catch (error) {
    showMessage(`The chorus could not start: ${error.message}`);
    throw error;
  }
  window.chorusPage = testInterface();
}

window.chorusPageReady = main();
