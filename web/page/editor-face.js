// The plug-in's editor on the page: the module paints the editor's windows (the editor, the
// preset list, the tooltip, the About box) exactly as the Linux plug-in does; this shows the
// pictures on canvases at the device's pixel ratio, sets their text with the browser's fonts,
// and passes the pointer, the keyboard and the wheel back.
const kFontFamily = '"DejaVu Sans", Verdana, sans-serif';
const kPointer = { press: 0, release: 1, move: 2, leave: 3 };
const kSlider = 0; // EControlKind::Slider
const kButton = 1;

function font(pixelSize, bold) {
  return `${bold ? 'bold ' : ''}${pixelSize}px ${kFontFamily}`;
}

// The text measurements the module imports, from one canvas context.
export function textImports(getMemory) {
  const measure = document.createElement('canvas').getContext('2d');
  return {
    web_text_width(pointer, length, pixelSize, bold) {
      measure.font = font(pixelSize, bold);
      return measure.measureText(new TextDecoder().decode(new Uint8Array(getMemory().buffer, pointer, length))).width;
    },
    web_text_height(pixelSize, bold) {
      measure.font = font(pixelSize, bold);
      const m = measure.measureText('Hg');
      return m.fontBoundingBoxAscent + m.fontBoundingBoxDescent;
    },
  };
}

export class EditorFace {
  // `host` is a positioned element the editor's canvases go into.
  constructor(host, module, chorus, onChanges) {
    this.host = host;
    this.x = module.exports;
    this.module = module;
    this.onChanges = onChanges;
    this.canvases = [];
    this.versions = [];
    this.focus = 0;
    this.captured = -1;
    // The module paints the editor at the device pixel ratio, so each picture pixel is one device
    // pixel and the skin is drawn natively (2x, 3x, or the larger one reduced in between). It
    // clamps the ratio to the editor's range as it clamps a host's factor; above 3 the 3x picture
    // is enlarged. Its pictures, text rectangles and pointer coordinates are in pixels of that
    // scale, the page's layout in CSS pixels (the 1x editor's size).
    this.ratio = window.devicePixelRatio;
    this.x.editor_open(chorus.handle, this.ratio);
    this.readScale();
    this.frame = this.frame.bind(this);
    requestAnimationFrame(this.frame);
  }

  // The module's factor and the controls' rectangles at it.
  readScale() {
    this.scale = this.x.editor_scale();
    this.controls = this.readLayout();
    this.focusable = this.controls.filter((c) => c.kind === kSlider || c.kind === kButton);
  }

  // A page zoomed, or its window moved to a screen of another density, changes the ratio: the
  // editor is drawn afresh at the new one. Looked at each frame rather than through a resolution
  // query, whose change event not every way of changing the ratio (an emulated one) sends.
  followRatio() {
    if (window.devicePixelRatio === this.ratio)
      return;
    this.ratio = window.devicePixelRatio;
    this.x.editor_set_scale(this.ratio);
    this.readScale();
    this.versions.fill(-1);
  }

  // A rectangle in the module's pixels as CSS pixels from the editor's corner.
  toCss({ left, top, right, bottom, ...rest }) {
    const s = this.scale;
    return { ...rest, left: left / s, top: top / s, right: right / s, bottom: bottom / s };
  }

  readLayout() {
    const controls = [];
    for (let i = 0; i < this.x.layout_control_count(); ++i) {
      const [id, kind, left, top, right, bottom] = new Int32Array(this.x.memory.buffer, this.x.layout_control(i), 6);
      controls.push({ id, kind, left, top, right, bottom });
    }
    return controls;
  }

  frame(now) {
    this.followRatio();
    this.x.editor_frame(now);
    this.show();
    this.forwardChanges();
    requestAnimationFrame(this.frame);
  }

  // Runs the editor's timers and paints at once, without waiting for an animation frame.
  update() {
    this.followRatio();
    this.x.editor_frame(performance.now());
    this.show();
    this.forwardChanges();
  }

  forwardChanges() {
    const count = this.x.editor_change_count();
    if (count === 0)
      return;
    const changes = [];
    for (let k = 0; k < count; ++k)
      changes.push([this.x.editor_change_index(k), this.x.editor_change_value(k)]);
    this.x.editor_clear_changes();
    this.onChanges(changes);
  }

  canvasFor(index) {
    while (this.canvases.length <= index) {
      const canvas = document.createElement('canvas');
      const window = this.canvases.length;
      canvas.className = window === 0 ? 'editor' : 'editor-popup';
      canvas.dataset.window = window;
      this.attachPointer(canvas, window);
      if (window === 0)
        this.attachKeyboard(canvas);
      this.host.appendChild(canvas);
      this.canvases.push(canvas);
      this.versions.push(-1);
    }
    return this.canvases[index];
  }

  show() {
    const ratio = this.ratio || 1;
    for (let i = 0; i < this.x.editor_window_count(); ++i) {
      const [shown, x, y, width, height, version, runs] =
          new Int32Array(this.x.memory.buffer, this.x.editor_window(i), 7);
      const canvas = this.canvasFor(i);
      canvas.hidden = !shown;
      if (!shown || version === this.versions[i])
        continue;
      this.versions[i] = version;
      if (i > 0) {
        canvas.style.left = `${x / this.scale}px`;
        canvas.style.top = `${y / this.scale}px`;
      }
      this.paint(canvas, i, width, height, runs, ratio);
    }
    this.canvases[0].style.cursor = this.x.editor_hand_cursor() ? 'pointer' : 'default';
  }

  paint(canvas, index, width, height, runs, ratio) {
    const zoom = ratio / this.scale; // device pixels per picture pixel
    canvas.width = Math.round(width * zoom);
    canvas.height = Math.round(height * zoom);
    canvas.style.width = `${width / this.scale}px`;
    canvas.style.height = `${height / this.scale}px`;
    const pixels = new Uint32Array(this.x.memory.buffer, this.x.editor_window_pixels(index), width * height);
    const image = new ImageData(width, height);
    const rgba = new Uint32Array(image.data.buffer);
    for (let p = 0; p < pixels.length; ++p) {
      const v = pixels[p]; // 0x00RRGGBB, stored B G R 0
      rgba[p] = 0xff000000 | (v & 0xff) << 16 | (v & 0xff00) | (v >> 16 & 0xff);
    }
    const picture = document.createElement('canvas');
    picture.width = width;
    picture.height = height;
    picture.getContext('2d').putImageData(image, 0, 0);
    const context = canvas.getContext('2d');
    context.imageSmoothingEnabled = false;
    context.drawImage(picture, 0, 0, canvas.width, canvas.height);
    context.setTransform(zoom, 0, 0, zoom, 0, 0);
    for (let r = 0; r < runs; ++r)
      this.setText(context, index, r);
    if (index === 0 && canvas.matches(':focus-visible'))
      this.paintFocus(context);
  }

  // As the X11 canvas sets a line: centred vertically on the font's extent, centred or from
  // the left horizontally.
  setText(context, window, run) {
    const at = this.x.editor_window_text(window, run);
    const fields = new Int32Array(this.x.memory.buffer, at, 7);
    const [left, top, right, bottom, rgb, centred, bold] = fields;
    const pixelSize = new Float32Array(this.x.memory.buffer, at + 28, 1)[0];
    const text = this.module.text(new Uint32Array(this.x.memory.buffer, at + 32, 1)[0]);
    context.font = font(pixelSize, bold);
    const m = context.measureText(text);
    const ascent = m.fontBoundingBoxAscent, descent = m.fontBoundingBoxDescent;
    const x = centred ? left + Math.floor((right - left - m.width) / 2) : left;
    const y = top + Math.floor((bottom - top - (ascent + descent)) / 2 + ascent);
    context.fillStyle = `#${rgb.toString(16).padStart(6, '0')}`;
    context.fillText(text, x, y);
  }

  // What window `index` last painted as text: { text, left, top, right, bottom } in CSS pixels
  // from the window's corner.
  texts(index) {
    const runs = new Int32Array(this.x.memory.buffer, this.x.editor_window(index), 7)[6];
    return Array.from({ length: runs }, (_, r) => {
      const at = this.x.editor_window_text(index, r);
      const [left, top, right, bottom] = new Int32Array(this.x.memory.buffer, at, 4);
      const text = this.module.text(new Uint32Array(this.x.memory.buffer, at + 32, 1)[0]);
      return this.toCss({ text, left, top, right, bottom });
    });
  }

  // Dotted, one line per 1x pixel, inside the control.
  paintFocus(context) {
    const c = this.focusable[this.focus];
    const line = Math.max(1, Math.round(this.scale));
    context.strokeStyle = '#ffcf00';
    context.setLineDash([2 * line, 2 * line]);
    context.lineWidth = line;
    context.strokeRect(c.left + line / 2, c.top + line / 2, c.right - c.left - line, c.bottom - c.top - line);
  }

  attachPointer(canvas, window) {
    const point = (event) => {
      const box = canvas.getBoundingClientRect();
      return [Math.floor((event.clientX - box.left) * this.scale), Math.floor((event.clientY - box.top) * this.scale)];
    };
    canvas.addEventListener('pointerdown', (event) => {
      if (event.button !== 0)
        return;
      canvas.setPointerCapture(event.pointerId);
      this.captured = window;
      this.x.editor_pointer(window, kPointer.press, ...point(event));
      this.update();
    });
    canvas.addEventListener('pointermove', (event) => {
      this.x.editor_pointer(window, kPointer.move, ...point(event));
      this.update();
    });
    canvas.addEventListener('pointerup', (event) => {
      if (event.button !== 0)
        return;
      this.captured = -1;
      this.x.editor_pointer(window, kPointer.release, ...point(event));
      this.update();
    });
    canvas.addEventListener('pointerleave', (event) => this.x.editor_pointer(window, kPointer.leave, ...point(event)));
    if (window === 0)
      canvas.addEventListener('wheel', (event) => this.onWheel(event, point(event)), { passive: false });
  }

  controlAt(x, y) {
    return this.focusable.find((c) => x >= c.left && x < c.right && y >= c.top && y < c.bottom);
  }

  onWheel(event, [x, y]) {
    const control = this.controlAt(x, y);
    if (!control || control.kind !== kSlider || event.deltaY === 0)
      return;
    event.preventDefault();
    this.step(control, event.deltaY < 0 ? 1 : -1);
  }

  step(control, steps) {
    const text = this.module.text(this.x.editor_step(control.id, steps));
    this.announce(text);
    this.update();
  }

  // Tab walks the faders and switches; arrows and page keys move a fader, space or Enter
  // clicks a switch.
  attachKeyboard(canvas) {
    canvas.tabIndex = 0;
    canvas.setAttribute('role', 'application');
    canvas.setAttribute('aria-label', 'Stereo Chorus editor: Tab moves between controls, arrows move a fader');
    canvas.addEventListener('focus', () => this.repaintMain());
    canvas.addEventListener('blur', () => this.repaintMain());
    canvas.addEventListener('keydown', (event) => this.onKey(event));
  }

  onKey(event) {
    const control = this.focusable[this.focus];
    const pages = { ArrowUp: 1, ArrowRight: 1, ArrowDown: -1, ArrowLeft: -1, PageUp: 10, PageDown: -10,
                    Home: 100000, End: -100000 };
    if (event.key === 'Tab') {
      const next = this.focus + (event.shiftKey ? -1 : 1);
      if (next < 0 || next >= this.focusable.length)
        return; // leaves the editor
      this.focus = next;
      this.announce(this.describe(this.focusable[next]));
      this.repaintMain();
    } else if (control.kind === kSlider && event.key in pages) {
      this.step(control, pages[event.key]);
    } else if (control.kind === kButton && (event.key === ' ' || event.key === 'Enter')) {
      const x = Math.floor((control.left + control.right) / 2), y = Math.floor((control.top + control.bottom) / 2);
      this.x.editor_pointer(0, kPointer.press, x, y);
      this.x.editor_pointer(0, kPointer.release, x, y);
      this.update();
    } else {
      return;
    }
    event.preventDefault();
  }

  // The thumb of the fader with that control id: left, top, right, bottom in CSS pixels.
  thumb(id) {
    const [left, top, right, bottom] = new Int32Array(this.x.memory.buffer, this.x.editor_thumb(id), 4);
    const css = this.toCss({ left, top, right, bottom });
    return [css.left, css.top, css.right, css.bottom];
  }

  describe(control) {
    return this.module.text(this.x.editor_control_text(control.id));
  }

  announce(text) {
    this.host.dispatchEvent(new CustomEvent('editor-announce', { detail: text, bubbles: true }));
  }

  repaintMain() {
    this.versions[0] = -1;
    this.show();
  }
}
