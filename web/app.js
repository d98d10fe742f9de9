// The browser page: wires the window the page carries to the program, paints the retained
// drawing, and hands the user's clicks and choices to the program.
'use strict';

(async () => {
  const TRANSPARENT = 5;
  const EXPORT_SIDE = 1000, EXPORT_PEN = 3;

  const form = document.getElementById('form');
  const description = document.getElementById('description');
  const lists = [];
  let canvas = null, painted = 0, repaintAll = true, frameAsked = false;

  const page = {
    repaint(cleared) {
      if (cleared) repaintAll = true;
      if (!frameAsked) {
        frameAsked = true;
        requestAnimationFrame(paintScreen);
      }
    },
    select(list, row) { if (lists[list]) lists[list].selectedIndex = row; },
    describe(text) {
      description.textContent = text;
      if (canvas) canvas.title = text;
    },
    report(text) { showMessage(text); },
  };
  // The page fetches the WebAssembly while the scripts load (the single file has it inside).
  // It is small, so it is compiled at once here rather than in tasks queued behind the
  // page's first frame.
  let program;
  try {
    if (typeof WebAssembly !== 'object') throw new Error('no WebAssembly');
    program = await new Promise((resolve, reject) => {
      const early = self.tamirelWasm && {
        instantiateWasm(imports, receive) {
          self.tamirelWasm.then((bytes) => receive(new WebAssembly.Instance(new WebAssembly.Module(bytes), imports)))
            .catch(reject);
          return {};
        },
      };
      createTamirel({ page, ...early }).then(resolve, reject);
    });
  } catch (error) {
    cannotStart(error);
    return;
  }

  // Each line style's dash pattern in pen widths, as the program defines it.
  const dashes = [];
  for (let style = 0; style <= 6; ++style) {
    dashes.push([]);
    for (let i = 0, d; (d = program._tamirel_dash(style, i)) > 0; ++i) dashes[style].push(d);
  }

  // The retained drawing, primitive by primitive: kind 0 circle, 1 point, 2 line; fractions of the area.
  function primitives(from) {
    const all = [];
    for (let i = from, n = program._tamirel_primitive_count(); i < n; ++i) {
      const f = (k) => program._tamirel_primitive(i, k);
      all.push({ kind: f(0), style: f(1), x1: f(2), y1: f(3), x2: f(4), y2: f(5) });
    }
    return all;
  }

  function cssColour(bgr) {
    const hex = (v) => v.toString(16).padStart(2, '0');
    return '#' + hex(bgr & 255) + hex((bgr >> 8) & 255) + hex((bgr >> 16) & 255);
  }

  // Paints primitives onto a 2D context `side` device pixels square with a pen `pen` device
  // pixels wide. Fraction 0 puts the pen's first pixel on the first pixel and 1 its last on
  // the last, as on the desktop; dashes restart on each segment.
  function paint(ctx, side, pen, list) {
    const inset = (pen - 1) / 2, span = side - 1 - 2 * inset;
    const at = (f) => inset + f * span + 0.5;
    ctx.save();
    ctx.beginPath();
    ctx.rect(0, 0, side, side);
    ctx.clip();
    ctx.strokeStyle = ctx.fillStyle = '#000';
    ctx.lineWidth = pen;
    ctx.lineCap = 'butt';
    for (const p of list) {
      if (p.style === TRANSPARENT) continue;
      ctx.setLineDash(dashes[p.style].map((d) => d * pen));
      ctx.beginPath();
      if (p.kind === 0) {
        ctx.arc(at(p.x1), at(p.y1), p.x2 * span, 0, 2 * Math.PI);
        ctx.stroke();
      } else if (p.kind === 1) {
        ctx.fillRect(at(p.x1) - pen / 2, at(p.y1) - pen / 2, pen, pen);
      } else {
        ctx.moveTo(at(p.x1), at(p.y1));
        ctx.lineTo(at(p.x2), at(p.y2));
        ctx.stroke();
      }
    }
    ctx.restore();
  }

  function paintScreen() {
    frameAsked = false;
    // Device pixels per CSS pixel of the canvas, with the window's scale, so it stays sharp.
    const ratio = (window.devicePixelRatio || 1) * (canvas.getBoundingClientRect().width / canvas.offsetWidth);
    const side = Math.round(canvas.clientWidth * ratio);
    if (canvas.width !== side) {
      canvas.width = canvas.height = side;
      repaintAll = true;
    }
    const ctx = canvas.getContext('2d');
    if (repaintAll) {
      ctx.fillStyle = cssColour(program._tamirel_background());
      ctx.fillRect(0, 0, side, side);
      painted = 0;
      repaintAll = false;
    }
    const added = primitives(painted);
    paint(ctx, side, Math.max(1, Math.round(ratio)), added);
    painted += added.length;
    if (!performance.getEntriesByName('tamirel-paint').length) performance.mark('tamirel-paint');
  }

  function exportCanvas() {
    const image = document.createElement('canvas');
    image.width = image.height = EXPORT_SIDE;
    const ctx = image.getContext('2d');
    ctx.fillStyle = cssColour(program._tamirel_background());
    ctx.fillRect(0, 0, EXPORT_SIDE, EXPORT_SIDE);
    paint(ctx, EXPORT_SIDE, EXPORT_PEN, primitives(0));
    return image;
  }

  const pngBlob = () => new Promise((resolve) => exportCanvas().toBlob(resolve, 'image/png'));
  const svgBlob = () => new Blob([program.UTF8ToString(program._tamirel_svg())], { type: 'image/svg+xml' });

  function showMessage(text) {
    const dialog = document.getElementById('message');
    dialog.querySelector('span').textContent = text;
    if (!dialog.open) dialog.showModal();
  }

  // Copies a picture as PNG and SVG, or as PNG alone where the browser takes no SVG; `failure`
  // opens the message shown when the browser keeps the clipboard closed.
  async function copyPicture(png, svg, failure) {
    try {
      await navigator.clipboard.write([new ClipboardItem({ 'image/png': png(), 'image/svg+xml': svg() })]);
    } catch {
      try {
        await navigator.clipboard.write([new ClipboardItem({ 'image/png': png() })]);
      } catch (error) {
        showMessage(failure + ': браузърът не позволи достъп до клипборда.\n' + error.message);
      }
    }
  }

  function download(blob, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // Asks for PNG or SVG and downloads the picture as `name`.png or `name`.svg.
  function savePicture(png, svg, name) {
    const dialog = document.getElementById('save-dialog');
    const back = document.activeElement;
    dialog.onclose = async () => {
      if (back) back.focus();
      if (dialog.returnValue === 'png') download(await png(), name + '.png');
      if (dialog.returnValue === 'svg') download(svg(), name + '.svg');
    };
    dialog.returnValue = '';
    dialog.showModal();
  }

  // A PNG of an SVG document, drawn at one pixel a unit, so both give the same picture.
  async function svgToPng(svg) {
    const image = new Image();
    image.src = URL.createObjectURL(svg);
    await image.decode();
    const c = document.createElement('canvas');
    c.width = image.naturalWidth;
    c.height = image.naturalHeight;
    c.getContext('2d').drawImage(image, 0, 0);
    URL.revokeObjectURL(image.src);
    return new Promise((resolve) => c.toBlob(resolve, 'image/png'));
  }

  const copyDrawing = () => copyPicture(pngBlob, svgBlob, 'Чертежът не беше копиран');
  const saveDrawing = () => savePicture(pngBlob, svgBlob, 'tamirel');

  // The canvas's context menu: a right click, the Menu key or Shift+F10.
  const menu = document.getElementById('menu');
  const items = [...menu.querySelectorAll('[role=menuitem]')];
  const commands = { copy: copyDrawing, save: saveDrawing };
  function openMenu(x, y) {
    menu.hidden = false;
    menu.style.left = Math.min(x, window.innerWidth - menu.offsetWidth) + 'px';
    menu.style.top = Math.min(y, window.innerHeight - menu.offsetHeight) + 'px';
    items[0].focus();
  }
  function closeMenu() {
    if (menu.hidden) return;
    menu.hidden = true;
    canvas.focus();
  }
  menu.addEventListener('keydown', (e) => {
    const i = items.indexOf(document.activeElement);
    if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      items[(i + (e.key === 'ArrowDown' ? 1 : items.length - 1)) % items.length].focus();
    } else if (e.key === 'Enter' || e.key === ' ') {
      closeMenu();
      commands[items[Math.max(i, 0)].dataset.command]();
    } else if (e.key === 'Escape' || e.key === 'Tab') {
      closeMenu();
    } else {
      return;
    }
    e.preventDefault();
  });
  menu.addEventListener('click', (e) => {
    const item = e.target.closest('[role=menuitem]');
    if (!item) return;
    closeMenu();
    commands[item.dataset.command]();
  });
  menu.addEventListener('focusout', (e) => { if (!menu.contains(e.relatedTarget)) menu.hidden = true; });

  // The window's controls, as the page carries them (written from the layout table).
  canvas = form.querySelector('canvas');
  canvas.addEventListener('contextmenu', (e) => {
    e.preventDefault();
    const r = canvas.getBoundingClientRect();
    const keyboard = e.button !== 2 || (e.clientX === 0 && e.clientY === 0);
    openMenu(keyboard ? r.left + r.width / 2 : e.clientX, keyboard ? r.top + r.height / 2 : e.clientY);
  });
  canvas.addEventListener('keydown', (e) => {
    if ((e.ctrlKey || e.metaKey) && e.key.toLowerCase() === 'c') {
      e.preventDefault();
      copyDrawing();
    }
  });
  for (const button of form.querySelectorAll('button')) {
    button.addEventListener('click', () => program._tamirel_click(Number(button.dataset.index)));
  }
  for (const list of form.querySelectorAll('select')) {
    const index = Number(list.dataset.index);
    lists[index] = list;
    list.selectedIndex = -1;
    list.addEventListener('change', () => program._tamirel_choose(index, list.selectedIndex));
  }

  document.addEventListener('keydown', (e) => {
    if ((e.ctrlKey || e.metaKey) && e.key.toLowerCase() === 's') {
      e.preventDefault();
      saveDrawing();
    }
  });
  matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => page.repaint(true));
  window.addEventListener('resize', () => page.repaint(true));
  form.addEventListener('scale', () => page.repaint(true));

  // ---- The lesson: the chosen figure with its marks and numbers, in a dialog over the page ----
  // F1 or "Урок…" in the canvas's menu opens it; it follows the radius and vertex-count lists
  // while open. The program makes the lesson (scene, numbers, SVG); the page only draws it.
  const lessonDialog = document.getElementById('lesson');
  const lessonFigure = document.getElementById('lesson-figure');
  const lessonDiagonals = document.getElementById('lesson-diagonals');
  let lesson = null, lessonBack = null;

  // Paints any scene (SceneToJson's) onto a 2D context `side` device pixels square, showing the
  // square `view` ({focus: [x, y], reach}, the scene's own focus and reach unless enlarged).
  // Pens, dots and letters keep the size they have in the scene's own square, so enlarging
  // spreads the figure without enlarging its marks; no pen is thinner than `minPen` device
  // pixels. Labels are set in the font `font`.
  function paintScene(ctx, scene, side, font, view = scene, minPen = 0) {
    const scale = side / (2 * view.reach);
    const marks = view.reach / scene.reach;   // canvas units of the view per unit of a mark
    const pen = (width) => Math.max(width * marks, minPen / scale);
    ctx.save();
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, side, side);
    ctx.translate(side / 2 - view.focus[0] * scale, side / 2 - view.focus[1] * scale);
    ctx.scale(scale, scale);
    ctx.lineCap = ctx.lineJoin = 'round';
    for (const it of scene.items) {
      ctx.strokeStyle = ctx.fillStyle = it.colour;
      ctx.lineWidth = pen(it.width);
      ctx.beginPath();
      const p = it.points;
      switch (it.kind) {
        case 'segment': case 'ray':
          ctx.moveTo(it.a[0], it.a[1]); ctx.lineTo(it.b[0], it.b[1]); ctx.stroke(); break;
        case 'circle':
          ctx.arc(it.a[0], it.a[1], it.radius, 0, 2 * Math.PI); ctx.stroke(); break;
        case 'arc': {   // degrees counter-clockwise on screen; the canvas's angles run clockwise
          const rad = Math.PI / 180;
          ctx.arc(it.a[0], it.a[1], it.radius, -it.start * rad, -(it.start + it.sweep) * rad, it.sweep > 0);
          ctx.stroke();
          break;
        }
        case 'polygon': case 'rightangle':
          for (let i = 0; i < p.length; i += 2) ctx[i ? 'lineTo' : 'moveTo'](p[i], p[i + 1]);
          if (it.kind === 'polygon') ctx.closePath();
          ctx.stroke();
          break;
        case 'point':
          ctx.arc(it.a[0], it.a[1], Math.max(it.radius * marks, minPen / scale), 0, 2 * Math.PI); ctx.fill(); break;
        case 'label':
          ctx.font = `${it.size * marks}px ${font}`;
          ctx.textAlign = 'center';
          ctx.textBaseline = 'alphabetic';   // placed by its baseline, as the SVG and the desktop place it
          ctx.strokeStyle = '#fff';
          ctx.lineWidth = 2 * it.halo * marks;
          ctx.strokeText(it.text, it.a[0], it.a[1] + it.baseline * marks);
          ctx.fillText(it.text, it.a[0], it.a[1] + it.baseline * marks);
          break;
      }
    }
    ctx.restore();
  }

  // The dialog's two figures: the scene each shows, and the program's view of it (0 the
  // lesson's, 1 the construction's), which the user enlarges and moves.
  const figures = [{ canvas: lessonFigure, view: 0, scene: () => lesson?.scene },
    { canvas: document.getElementById('construction-figure'), view: 1, scene: () => construction?.steps && construction.scene }];
  // CSS px at the window's designed size: its text, and the thinnest pen a projector shows.
  const MIN_LETTER = 16, MIN_PEN = 2;
  // How much larger than designed the page shows the window, and so the lesson: never below 1.
  const lessonScale = () => Math.max(1, form.getBoundingClientRect().width / form.offsetWidth);

  function paintFigure(figure) {
    const scene = figure.scene();
    if (!scene) return;
    const ratio = window.devicePixelRatio || 1;
    const side = Math.round(figure.canvas.clientWidth * ratio);
    if (figure.canvas.width !== side) figure.canvas.width = figure.canvas.height = side;
    const f = (field) => program._tamirel_view(figure.view, field);
    figure.canvas.classList.toggle('zoomed', f(0) > 1);
    paintScene(figure.canvas.getContext('2d'), scene, side, lesson.measures.font,
      { focus: [f(1), f(2)], reach: f(3) }, MIN_PEN * lessonScale() * ratio);
  }

  function paintLesson() {
    paintFigure(figures[0]);
    if (!performance.getEntriesByName('tamirel-lesson-paint').length) performance.mark('tamirel-lesson-paint');
  }

  // The side, in CSS px, below which a figure's smallest letter would be smaller than the
  // window's text.
  function legibleSide(scene) {
    const sizes = scene ? scene.items.filter((i) => i.kind === 'label').map((i) => i.size) : [];
    return sizes.length ? Math.ceil(MIN_LETTER * lessonScale() * 2 * scene.reach / Math.min(...sizes)) : 0;
  }

  // Both figures one side: as large as the dialog holds beside the text (or above it where the
  // room is narrow), never smaller than their letters need; the dialog scrolls for the rest.
  const TEXT_WIDTH = 280, GAP = 16, LARGEST = 800;
  function fitFigures() {
    const style = getComputedStyle(lessonDialog);
    const width = lessonDialog.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    const height = lessonDialog.clientHeight - lessonDialog.querySelector('.lesson-head').offsetHeight - parseFloat(style.paddingBottom);
    const legible = Math.max(...figures.map((f) => legibleSide(f.scene())));
    const beside = width - GAP - TEXT_WIDTH * lessonScale();
    const side = Math.floor(Math.max(legible, Math.min(beside >= legible ? beside : width, height, LARGEST)));
    for (const { canvas } of figures) canvas.style.width = canvas.style.height = side + 'px';
  }

  // Where the lesson stands, a box that depends on the screen alone, never on what it shows:
  // beside the window where ROOM_WIDE CSS px (times the lesson's scale) by ROOM_LOW are free
  // right of it; else below it, ROOM_NARROW wide at least (a phone or tablet upright); else
  // right of the radius and vertex lists, over the window's other controls, so that the lists
  // the lesson follows stay in reach; else over the whole page, where "Скрий" folds it to its
  // title bar at the bottom. The bottom margin holds the folded bar.
  const ROOM_WIDE = 540, ROOM_NARROW = 320, ROOM_LOW = 400, MARGIN = 8;
  function placeLesson() {
    const room = document.documentElement;
    const width = room.clientWidth, height = room.clientHeight;
    const win = form.getBoundingClientRect();
    const listsRight = Math.max(...[1, 2].map((i) => lists[i].getBoundingClientRect().right));
    const box = (left, top) => ({ left, top, width: width - left - MARGIN, height: height - top - MARGIN });
    const places = [box(win.right + MARGIN, MARGIN), box(MARGIN, win.bottom + MARGIN), box(listsRight + MARGIN, MARGIN)];
    const k = lessonScale();
    const place = places.find((p, i) => p.width >= (i === 1 ? ROOM_NARROW : ROOM_WIDE) * k && p.height >= ROOM_LOW) || box(MARGIN, MARGIN);
    Object.assign(lessonDialog.style, { left: place.left + 'px', top: place.top + 'px',
      width: place.width + 'px', height: place.height + 'px', bottom: MARGIN + 'px' });
  }

  // What takes the focus or is scrolled to stops below the title bar, not under it.
  const clearHead = () => { lessonDialog.style.scrollPaddingTop = lessonDialog.querySelector('.lesson-head').offsetHeight + 'px'; };

  // Fits the dialog to the screen and its figures to the dialog, and paints them.
  function layoutLesson() {
    if (!lessonDialog.open) return;
    placeLesson();
    fitFigures();
    clearHead();
    for (const figure of figures) paintFigure(figure);
  }

  // Reads the lesson for the lists' choices and shows it.
  function refreshLesson() {
    lesson = JSON.parse(program.UTF8ToString(program._tamirel_lesson(lessonDiagonals.checked ? 1 : 0)));
    document.getElementById('lesson-title').textContent = lesson.title || lesson.description;
    document.getElementById('lesson-givens').textContent = lesson.givens;
    document.getElementById('lesson-numbers').replaceChildren(...lesson.numbers.map((n) => {
      // Name, formula, then the figures put in and the result: three short lines.
      const item = document.createElement('li');
      for (const text of [n.name + ':', n.formula, `= ${n.putIn} ${n.result}`]) {
        const line = document.createElement('span');
        line.textContent = text;
        item.append(line);
      }
      item.setAttribute('aria-label', n.text);
      return item;
    }));
    lessonFigure.setAttribute('aria-label', 'Чертеж на урока: ' + (lesson.title || lesson.description));
    refreshConstruction();
    fitFigures();
    paintFigure(figures[1]);
    paintLesson();
  }

  function openLesson() {
    if (!lessonDialog.open) {
      lessonBack = document.activeElement;
      lessonDialog.show();
      placeLesson();
    }
    refreshLesson();
    clearHead();
    lessonFigure.focus();
  }

  function closeLesson() {
    lessonDialog.close();
    if (lessonBack && lessonBack.isConnected) lessonBack.focus();
  }

  // Folds the dialog to its title bar at the bottom of the screen, or opens it out again.
  const foldButton = lessonDialog.querySelector('[data-lesson=fold]');
  function foldLesson() {
    const folded = lessonDialog.classList.toggle('folded');
    foldButton.textContent = folded ? 'Покажи' : 'Скрий';
    foldButton.setAttribute('aria-expanded', String(!folded));
    if (!folded) layoutLesson();
  }

  const lessonSvgBlob = () => new Blob([lesson.svg], { type: 'image/svg+xml' });
  const lessonPngBlob = () => svgToPng(lessonSvgBlob());
  const copyLesson = () => copyPicture(lessonPngBlob, lessonSvgBlob, 'Урокът не беше копиран');
  const saveLesson = () => savePicture(lessonPngBlob, lessonSvgBlob, 'tamirel-urok');

  commands.lesson = openLesson;
  const lessonCommands = { copy: copyLesson, save: saveLesson, close: closeLesson, fold: foldLesson };
  for (const button of lessonDialog.querySelectorAll('[data-lesson]')) {
    button.addEventListener('click', () => lessonCommands[button.dataset.lesson]());
  }
  lessonDiagonals.addEventListener('change', refreshLesson);
  document.addEventListener('keydown', (e) => {
    if (e.key === 'F1') {
      e.preventDefault();
      openLesson();
    }
  });
  lessonDialog.addEventListener('keydown', (e) => {
    const ctrl = (e.ctrlKey || e.metaKey) && !e.altKey;
    const key = e.key.toLowerCase();
    if (e.key === 'Escape') {
      closeLesson();
    } else if (ctrl && key === 'c' && getSelection().isCollapsed) {
      copyLesson();
    } else if (ctrl && key === 's') {
      saveLesson();
    } else if (ctrl && key === 'd') {
      lessonDiagonals.checked = !lessonDiagonals.checked;
      refreshLesson();
    } else {
      return;
    }
    e.preventDefault();
    e.stopPropagation();   // the window's own Ctrl+S saves the drawing, not the lesson
  });
  // Following the lists: the user's choices, and writes from the program (as "Чисти" makes).
  for (const list of form.querySelectorAll('select')) {
    list.addEventListener('change', () => { if (lessonDialog.open && list.dataset.index !== '0') refreshLesson(); });
  }
  const selectRow = page.select;
  page.select = (list, row) => {
    selectRow(list, row);
    if (lessonDialog.open && list > 0) queueMicrotask(refreshLesson);
  };
  // The browser's zoom changes the room in CSS pixels, the window's scale its place.
  window.addEventListener('resize', layoutLesson);
  form.addEventListener('scale', layoutLesson);
  matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', layoutLesson);

  // Enlarging and moving a figure: the program's view keeps how far (ViewZoom, as on the
  // desktop); the page turns gestures into canvas units. Ctrl+wheel (a touchpad's pinch too)
  // about the pointer, +/− and Ctrl+Plus/Minus while the figure has the focus, two fingers,
  // dragging, Shift+arrows; Ctrl+0 or 0 goes back. A plain wheel scrolls the dialog.
  const WHEEL_NOTCH = 100;   // deltaY of one wheel notch, one step of the view
  // The canvas point under the client point (x, y) of figure `figure`.
  function canvasPoint(figure, x, y) {
    const r = figure.canvas.getBoundingClientRect();
    const reach = program._tamirel_view(figure.view, 3);
    return [program._tamirel_view(figure.view, 1) + (x - r.left - r.width / 2) * 2 * reach / r.width,
      program._tamirel_view(figure.view, 2) + (y - r.top - r.height / 2) * 2 * reach / r.height];
  }
  const unitsPerPixel = (figure) => 2 * program._tamirel_view(figure.view, 3) / figure.canvas.getBoundingClientRect().width;
  const changed = (figure, result) => { if (result) paintFigure(figure); };

  for (const figure of figures) {
    const { canvas, view } = figure;
    canvas.addEventListener('wheel', (e) => {
      if (!e.ctrlKey || !figure.scene()) return;
      e.preventDefault();   // the browser's own zoom stays for the rest of the page
      const delta = e.deltaMode === WheelEvent.DOM_DELTA_LINE ? e.deltaY * 33 : e.deltaY;
      changed(figure, program._tamirel_view_zoom(view, program._tamirel_view(view, 4) ** (-delta / WHEEL_NOTCH), ...canvasPoint(figure, e.clientX, e.clientY)));
    }, { passive: false });
    canvas.addEventListener('keydown', (e) => {
      if (e.altKey || !figure.scene()) return;
      const pan = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] }[e.key];
      let result;
      if (pan && e.shiftKey && !e.ctrlKey && !e.metaKey) {
        const by = program._tamirel_view(view, 3) / 5;
        result = program._tamirel_view_pan(view, pan[0] * by, pan[1] * by);
      } else if (['+', '=', 'Add'].includes(e.key) || e.code === 'NumpadAdd') {
        result = program._tamirel_view_step(view, 1);
      } else if (['-', '−', 'Subtract'].includes(e.key) || e.code === 'NumpadSubtract') {
        result = program._tamirel_view_step(view, -1);
      } else if (e.key === '0' || e.code === 'Numpad0') {
        result = program._tamirel_view_step(view, 0);
      } else {
        return;
      }
      e.preventDefault();   // Ctrl+Plus here enlarges the figure, not the page
      e.stopPropagation();
      changed(figure, result);
    });
    // Pointers down on the figure, by id: where each was last, in client pixels.
    const down = new Map();
    canvas.addEventListener('pointerdown', (e) => {
      if (e.button !== 0 || !figure.scene()) return;
      canvas.setPointerCapture(e.pointerId);
      down.set(e.pointerId, [e.clientX, e.clientY]);
    });
    canvas.addEventListener('pointermove', (e) => {
      const last = down.get(e.pointerId);
      if (!last) return;
      const others = [...down].filter(([id]) => id !== e.pointerId).map(([, at]) => at);
      down.set(e.pointerId, [e.clientX, e.clientY]);
      let result = 0;
      if (others.length === 1) {   // two fingers: enlarge about their middle, and follow it
        const [o] = others, span = (a) => Math.hypot(a[0] - o[0], a[1] - o[1]);
        const before = [(last[0] + o[0]) / 2, (last[1] + o[1]) / 2], after = [(e.clientX + o[0]) / 2, (e.clientY + o[1]) / 2];
        const k = unitsPerPixel(figure);
        result |= program._tamirel_view_pan(view, (before[0] - after[0]) * k, (before[1] - after[1]) * k);
        if (span(last) > 0) result |= program._tamirel_view_zoom(view, span([e.clientX, e.clientY]) / span(last), ...canvasPoint(figure, ...after));
      } else if (others.length === 0) {
        const k = unitsPerPixel(figure);
        result = program._tamirel_view_pan(view, (last[0] - e.clientX) * k, (last[1] - e.clientY) * k);
      }
      changed(figure, result);
    });
    for (const type of ['pointerup', 'pointercancel']) canvas.addEventListener(type, (e) => down.delete(e.pointerId));
  }
  // ---- end of the lesson ----

  // ---- The construction: the lesson's figure built with straightedge and compass, step by step ----
  // The program holds the construction and where the pupil is in it; the page draws the step
  // and sends the keys. Ctrl+C, Ctrl+S and Ctrl+P are the construction's while its controls
  // have the focus.
  const constructionPart = document.getElementById('construction');
  const constructionFigure = document.getElementById('construction-figure');
  const playButton = constructionPart.querySelector('[data-step=play]');
  let construction = null, playing = null;

  function showConstruction(json) {
    construction = JSON.parse(json);
    constructionPart.hidden = !construction.steps;
    if (!construction.steps) return;
    document.getElementById('construction-caption').textContent = `${construction.title} — ${construction.caption}`;
    document.getElementById('construction-sentence').textContent = construction.sentence;
    constructionFigure.setAttribute('aria-label', `Чертеж на построяването: ${construction.caption}. ${construction.sentence}`);
    paintFigure(figures[1]);
  }

  function stopPlaying() {
    clearInterval(playing);
    playing = null;
    playButton.textContent = 'Пусни';
  }

  // 0 follows the lists, 1 forward, 2 back, 3 the first step, 4 the last.
  const step = (command) => showConstruction(program.UTF8ToString(program._tamirel_construction(command)));
  function refreshConstruction() {
    const before = construction && construction.title + construction.steps;
    step(0);
    if (before !== construction.title + construction.steps) stopPlaying();
  }

  // Plays from the current step (from the first at the end) and stops at the end; while
  // playing, stops.
  function play() {
    if (playing) return stopPlaying();
    if (!construction.steps) return;
    if (construction.step === construction.steps) step(3);
    playButton.textContent = 'Спри';
    playing = setInterval(() => {
      step(1);
      if (construction.step === construction.steps) stopPlaying();
    }, construction.play);
  }

  const constructionSvgBlob = () => new Blob([construction.svg], { type: 'image/svg+xml' });
  const constructionPngBlob = () => svgToPng(constructionSvgBlob());
  const copyStep = () => copyPicture(constructionPngBlob, constructionSvgBlob, 'Стъпката не беше копирана');
  const saveStep = () => savePicture(constructionPngBlob, constructionSvgBlob, 'tamirel-postroyavane');

  // The handout: every step a small numbered figure with its sentence, six to an A4 page.
  function fillHandout() {
    const handout = document.getElementById('handout');
    const pages = [];
    JSON.parse(program.UTF8ToString(program._tamirel_construction(5))).forEach((s, i) => {
      if (i % 6 === 0) {
        pages.push(document.createElement('section'));
        const heading = document.createElement('h2');
        heading.textContent = `${construction.title}, ${lesson.givens.split(',')[0]}`;
        pages.at(-1).append(heading);
      }
      const cell = document.createElement('figure');
      cell.innerHTML = s.svg;
      const caption = document.createElement('figcaption');
      caption.textContent = `${s.step}. ${s.sentence}`;
      cell.append(caption);
      pages.at(-1).append(cell);
    });
    handout.replaceChildren(...pages);
  }

  function printHandout() {
    stopPlaying();
    fillHandout();
    document.body.classList.add('handout');
    window.print();
  }
  window.addEventListener('afterprint', () => document.body.classList.remove('handout'));

  const stepCommands = { home: () => { stopPlaying(); step(3); }, back: () => { stopPlaying(); step(2); },
    play, forward: () => step(1), end: () => { stopPlaying(); step(4); },
    copy: copyStep, save: saveStep, print: printHandout };
  for (const button of constructionPart.querySelectorAll('[data-step]')) {
    button.addEventListener('click', () => stepCommands[button.dataset.step]());
  }
  const stepKeys = { ArrowRight: 'forward', PageDown: 'forward', ArrowLeft: 'back', PageUp: 'back',
    Home: 'home', End: 'end', ' ': 'play' };
  constructionPart.addEventListener('keydown', (e) => {
    const ctrl = (e.ctrlKey || e.metaKey) && !e.altKey;
    const command = { c: 'copy', s: 'save', p: 'print' }[e.key.toLowerCase()];
    if (!ctrl || !command || (command === 'copy' && !getSelection().isCollapsed)) return;
    stepCommands[command]();
    e.preventDefault();
    e.stopPropagation();   // the lesson's own Ctrl+C copies the lesson
  });
  lessonDialog.addEventListener('keydown', (e) => {
    const command = stepKeys[e.key];
    if (!command || e.ctrlKey || e.metaKey || e.altKey || !construction?.steps) return;
    if (e.key === ' ' && e.target.closest('button, input, select')) return;   // Space presses a focused button
    stepCommands[command]();
    e.preventDefault();
  });
  // ---- end of the construction ----

  // For scripts and tests: what the canvas holds, read-only.
  window.tamirel = { primitives: () => primitives(0), svg: () => program.UTF8ToString(program._tamirel_svg()),
    lesson: () => lesson, construction: () => construction,
    view: (figure) => ({ factor: program._tamirel_view(figure, 0), focus: [1, 2].map((f) => program._tamirel_view(figure, f)) }),
    handout: () => { fillHandout(); document.body.classList.add('handout'); } };

  program._tamirel_start();
  if ('serviceWorker' in navigator && location.protocol.startsWith('http') && document.querySelector('link[rel=manifest]')) {
    navigator.serviceWorker.register('sw.js').catch((error) => console.warn('Tamirel: no offline copy:', error));
  }
  document.documentElement.dataset.ready = 'true';

  // The program cannot start: the page says why and what to do, in an alert, and the window
  // stays in sight but no longer looks or acts usable.
  function cannotStart(error) {
    const fromDisk = location.protocol === 'file:';
    const advice = fromDisk
      ? 'Отворете единичния файл tamirel.html, който работи и от диск, или отворете страницата в друг браузър.'
      : 'Презаредете страницата; ако това не помогне, отворете я в друг браузър.';
    let text;
    if (typeof WebAssembly !== 'object') {
      text = 'Tamirel не може да започне: този браузър не изпълнява WebAssembly (липсва или е забранено). '
        + 'Отворете Tamirel в друг браузър: Firefox, Chrome, Edge или Safari от последните години.';
    } else if (error.file) {
      text = `Tamirel не може да започне: файлът ${error.file} не беше зареден (${error.message}). ${advice}`;
    } else {
      text = `Tamirel не може да започне: браузърът не успя да изпълни програмата (${error.message || error}). ${advice}`;
    }
    form.classList.add('failed');
    form.inert = true;
    document.getElementById('failure').textContent = text;
    document.documentElement.dataset.failed = 'true';
  }
})();
