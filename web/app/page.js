// The page's start: the window the page carries (written from the layout table at build time)
// is in sight and takes input from its first frame; the program starts beside it. What the
// user does before the program is ready waits in order and is served once it is. The modules
// share `app`:
//   app.program   the program's exports, once ready (null before)
//   app.page      the calls the program makes into the page (repaint, select, describe, report)
//   app.act(fn)   runs fn now if the program is ready, else once it is, in the order asked (a
//                 waiting action starts the program at once, without waiting for the first frame)
//   app.late()    loads the lesson's module and scripts, once; resolves when they run, or
//                 rejects with an error whose `reason` ends a sentence on why they did not
//   app.lessonProgram  the lesson module's exports, once loaded (see app.late)
//   app.commands  the canvas menu's commands by name
//   app.failed    true once the program cannot start: the page's commands and keys then do nothing
'use strict';

const app = self.tamirelApp = {
  form: document.getElementById('form'),
  program: null,
  failed: false,
  commands: {},
  lists: [],
  waiting: [],
  act(fn) {
    if (app.program) fn();
    else if (app.waiting) {
      app.waiting.push(fn);
      app.asked();
    }
  },
  asked() {},
};

// What the user did before these scripts ran, kept by the page's head (clicks on the window's
// buttons, choices in its lists, the drawing's menu, the page's own keys), done in order as if
// now: once every script here has taken its part (the scripts run as one), before anything that
// comes after.
queueMicrotask(() => {
  const before = self.tamirelBefore || [];
  self.tamirelBefore = null;
  for (const { control, row, key, code, ctrl, menu } of before) {
    if (menu) {
      control.dispatchEvent(new MouseEvent('contextmenu', { bubbles: true, cancelable: true, ...menu }));
    } else if (key) {
      control.dispatchEvent(new KeyboardEvent('keydown', { key, code, ctrlKey: ctrl, bubbles: true, cancelable: true }));
    } else if (control.localName === 'button') {
      control.click();
    } else {
      control.selectedIndex = row;
      control.dispatchEvent(new Event('change'));
    }
  }
});

(() => {
  const TRANSPARENT = 5;
  const form = app.form;
  const canvas = app.canvas = form.querySelector('canvas');
  const description = document.getElementById('description');
  let painted = 0, repaintAll = true, frameAsked = false, paintedOnce = false;

  app.page = {
    repaint(cleared) {
      if (cleared) repaintAll = true;
      if (!frameAsked) {
        frameAsked = true;
        requestAnimationFrame(paintScreen);
      }
    },
    select(list, row) { if (app.lists[list]) app.lists[list].selectedIndex = row; },
    describe(text) {
      description.textContent = text;
      canvas.title = text;
    },
    report(text) { app.showMessage(text); },
  };

  // The retained drawing, primitive by primitive: kind 0 circle, 1 point, 2 line; fractions of the area.
  app.primitives = (from) => {
    const program = app.program, all = [];
    for (let i = from, n = program ? program._tamirel_primitive_count() : 0; i < n; ++i) {
      const f = (k) => program._tamirel_primitive(i, k);
      all.push({ kind: f(0), style: f(1), x1: f(2), y1: f(3), x2: f(4), y2: f(5) });
    }
    return all;
  };

  app.cssColour = (bgr) => {
    const hex = (v) => v.toString(16).padStart(2, '0');
    return '#' + hex(bgr & 255) + hex((bgr >> 8) & 255) + hex((bgr >> 16) & 255);
  };
  // The drawing's background; white, as the program starts it, until the program is ready.
  app.background = () => (app.program ? app.cssColour(app.program._tamirel_background()) : '#ffffff');

  // Each line style's dash pattern in pen widths, as the program defines it.
  const dashes = [];

  // Paints primitives onto a 2D context `side` device pixels square with a pen `pen` device
  // pixels wide. Fraction 0 puts the pen's first pixel on the first pixel and 1 its last on
  // the last, as on the desktop; dashes restart on each segment.
  app.paint = (ctx, side, pen, list) => {
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
  };

  // Before the program is ready this paints the canvas its starting white, so the first frame
  // already shows the whole window.
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
      ctx.fillStyle = app.background();
      ctx.fillRect(0, 0, side, side);
      painted = 0;
      repaintAll = false;
    }
    const added = app.primitives(painted);
    app.paint(ctx, side, Math.max(1, Math.round(ratio)), added);
    painted += added.length;
    if (!paintedOnce) {
      paintedOnce = true;
      afterFrame.port2.postMessage(0);
    }
  }
  // The window's first frame is out (a task after the frame that painted it; or, where the page
  // paints no frames, as in a hidden tab, a moment has passed): the program may start without
  // holding that frame back.
  const afterFrame = new MessageChannel();
  const shown = new Promise((resolve) => {
    afterFrame.port1.onmessage = resolve;
    setTimeout(resolve, 100);
  });
  // Someone is waiting on the program: it starts now, and the frame to come shows what they asked.
  const asked = new Promise((resolve) => { app.asked = resolve; });
  app.page.repaint(true);
  matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => app.page.repaint(true));
  window.addEventListener('resize', () => app.page.repaint(true));
  form.addEventListener('scale', () => app.page.repaint(true));

  // The lesson's module (its WebAssembly and the script that starts it) with the lesson's and the
  // construction's scripts, loaded once, when first asked for. On a site they are files of their
  // own, whose names carry the build's stamp, so they are always this page's build. The single
  // file has the scripts as text and one module for the window and the lesson. Resolves once the
  // module runs (app.lessonProgram: its exports, each called with the window's lists as they are
  // now). After a failure, the next asking loads what did not arrive.
  let started;
  const programStarted = new Promise((resolve) => { started = resolve; });
  // A load done once: `make`'s promise, kept once it resolves and forgotten when it rejects, so
  // that the next call tries again what failed and only that (each script runs once, as its
  // listeners must be added once).
  const once = (make) => {
    let made = null;
    return () => made ||= make().catch((error) => {
      made = null;
      throw error;
    });
  };
  const script = (src) => new Promise((resolve, reject) => {
    const element = Object.assign(document.createElement('script'), { src, onload: resolve, onerror: reject });
    document.body.append(element);
  });
  const stamped = document.documentElement.dataset;
  const lateScripts = once(() => script(stamped.late));
  const lessonBytes = once(() => (location.protocol === 'file:'
    ? script(stamped.lessonDisk).then(() => self.tamirelLessonWasmBytes())
    : fetch(stamped.lessonWasm).then((response) => {
      if (!response.ok) throw new Error(`lesson: ${response.status}`);
      return response.arrayBuffer();
    })));
  app.late = once(() => loadLate().catch(async (error) => {
    throw Object.assign(new Error('the lesson did not load', { cause: error }), { reason: await whyNotLoaded() });
  }));
  async function loadLate() {
    let module;
    if (!stamped.late) {
      // The single file: its lesson's scripts are the last of the page, maybe not yet read.
      if (document.readyState === 'loading') await new Promise((resolve) => addEventListener('DOMContentLoaded', resolve));
      const inline = document.getElementById('late');
      document.body.append(Object.assign(document.createElement('script'), { textContent: inline.textContent }));
      module = await programStarted;
    } else {
      const bytes = lessonBytes();
      bytes.catch(() => {});
      await lateScripts();
      module = await new Promise((resolve, reject) => {
        createTamirelLesson({ page: app.page,
          instantiateWasm(imports, receive) {
            bytes.then((b) => WebAssembly.instantiate(b, imports)).then((made) => receive(made.instance), reject);
            return {};
          } }).then(resolve, reject);
      });
    }
    const lists = () => module._tamirel_lists(app.lists[1].selectedIndex, app.lists[2].selectedIndex);
    const program = { UTF8ToString: module.UTF8ToString, stringToUTF8: module.stringToUTF8, lengthBytesUTF8: module.lengthBytesUTF8,
      get HEAPU8() { return module.HEAPU8; } };
    for (const name of Object.keys(module).filter((key) => key.startsWith('_tamirel_'))) {
      program[name] = (...args) => {
        lists();
        return module[name](...args);
      };
    }
    app.lessonProgram = program;
  }
  // Why the lesson's files did not load, to end a sentence: from disk, they are not beside the
  // page; where the server answers for them with anything but the file (missing, refused, or
  // a page in its place), a newer build has taken their place; where it does not answer, there
  // is no connection.
  async function whyNotLoaded() {
    if (location.protocol === 'file:') return 'файловете на урока липсват в папката на страницата.';
    const replaced = await Promise.all([stamped.late, stamped.lessonWasm].map((file) =>
      fetch(file, { method: 'HEAD', cache: 'no-store' })
        .then((response) => !response.ok || /html/.test(response.headers.get('Content-Type') || ''), () => false)));
    return replaced.includes(true) ? 'на сървъра вече има нова версия на Tamirel. Презаредете страницата.'
      : 'няма връзка със сървъра. Опитайте отново.';
  }

  const lessonDialog = document.getElementById('lesson');
  // How much larger than designed the page shows the window, and so the lesson: never below 1.
  app.lessonScale = () => Math.max(1, form.getBoundingClientRect().width / form.offsetWidth);
  // Where the lesson stands, a box that depends on the screen alone, never on what it shows:
  // beside the window where ROOM_WIDE CSS px (times the lesson's scale) by ROOM_LOW are free
  // right of it; else below it, ROOM_NARROW wide at least (a phone or tablet upright); else
  // right of the radius and vertex lists, over the window's other controls, so that the lists
  // the lesson follows stay in reach; else over the whole page, where "Скрий" folds it to its
  // title bar at the bottom. The bottom margin holds the folded bar. The page places it while
  // it loads, so it opens where it stays.
  const ROOM_WIDE = 540, ROOM_NARROW = 320, ROOM_LOW = 400, MARGIN = 8;
  app.placeLesson = () => {
    const room = document.documentElement;
    const width = room.clientWidth, height = room.clientHeight;
    const win = form.getBoundingClientRect();
    const listsRight = Math.max(...[1, 2].map((i) => app.lists[i].getBoundingClientRect().right));
    const box = (left, top) => ({ left, top, width: width - left - MARGIN, height: height - top - MARGIN });
    const places = [box(win.right + MARGIN, MARGIN), box(MARGIN, win.bottom + MARGIN), box(listsRight + MARGIN, MARGIN)];
    const k = app.lessonScale();
    const place = places.find((p, i) => p.width >= (i === 1 ? ROOM_NARROW : ROOM_WIDE) * k && p.height >= ROOM_LOW) || box(MARGIN, MARGIN);
    Object.assign(lessonDialog.style, { left: place.left + 'px', top: place.top + 'px',
      width: place.width + 'px', height: place.height + 'px', bottom: MARGIN + 'px' });
  };

  // The lesson, by F1 or "Урок…" in the canvas's menu. Its first opening loads its scripts: the
  // dialog says so meanwhile, and opens the lesson once they and the program are ready, unless
  // the wish is taken back meanwhile (Escape, the dialog's close button, the dialog closed any
  // other way). `waiting`: the control that had the focus when it was asked for, while it waits.
  let waiting = null;
  function stopWaiting() {
    const { back } = waiting;
    waiting = null;
    lessonDialog.classList.remove('loading');
    if (lessonDialog.open) lessonDialog.close();
    return back;
  }
  const takeBack = () => {
    if (waiting) stopWaiting()?.focus();
  };
  // Before the lesson's own keys, which may have arrived while its WebAssembly has not.
  document.addEventListener('keydown', (e) => {
    if (e.key === 'Escape' && waiting) {
      e.preventDefault();
      e.stopPropagation();
      takeBack();
    }
  }, true);
  lessonDialog.querySelector('[data-lesson=close]').addEventListener('click', takeBack);
  lessonDialog.addEventListener('close', takeBack);
  app.commands.lesson = () => {
    if (app.failed) return;
    if (app.lessonProgram) return app.act(() => app.openLesson());
    if (waiting) return;
    const asked = waiting = { back: document.activeElement };
    document.getElementById('lesson-title').textContent = 'Урокът се зарежда…';
    lessonDialog.classList.add('loading');
    app.placeLesson();
    lessonDialog.show();
    // The wish stands until the lesson opens: loaded before the program is ready, it waits for
    // the program, and Escape meanwhile still takes it back.
    app.late().then(() => app.act(() => {
      if (waiting !== asked) return;
      waiting = null;
      app.openLesson(asked.back);
    }), (error) => {
      if (waiting !== asked) return;
      stopWaiting();
      app.showMessage(`Урокът не беше зареден: ${error.reason}`);
    });
  };
  document.addEventListener('keydown', (e) => {
    if (e.key === 'F1' && !app.failed) {
      e.preventDefault();
      app.commands.lesson();
    }
  });

  // The WebAssembly arrives packed at the end of the page. It is unpacked and compiled as soon as
  // it is there (the browser compiles beside the page, while the window's first frame is made),
  // and started once the window is shown, or at once when an action is waiting for it. A start
  // that comes before that compiling is done compiles the module itself (quick: the browser
  // compiles each function when it is first called) rather than wait for a task that may come
  // only after the next frame.
  (async () => {
    let program;
    try {
      if (typeof WebAssembly !== 'object') throw new Error('no WebAssembly');
      const bytes = self.tamirelWasm && self.tamirelWasm.then((unpack) => unpack());
      let compiled = null;
      bytes?.then((b) => WebAssembly.compile(b)).then((module) => { compiled = module; }, () => {});
      await Promise.race([shown, asked]);
      program = await new Promise((resolve, reject) => {
        const early = bytes && {
          instantiateWasm(imports, receive) {
            bytes.then((b) => receive(new WebAssembly.Instance(compiled || new WebAssembly.Module(b), imports))).catch(reject);
            return {};
          },
        };
        createTamirel({ page: app.page, ...early }).then(resolve, reject);
      });
    } catch (error) {
      cannotStart(error);
      return;
    }
    for (let style = 0; style <= 6; ++style) {
      dashes.push([]);
      for (let i = 0, d; (d = program._tamirel_dash(style, i)) > 0; ++i) dashes[style].push(d);
    }
    app.program = program;
    program._tamirel_start();
    started(program);
    // What the user did meanwhile, in order; what it does in turn runs at once. The window is
    // painted now, so the frame about to be made already shows it.
    const waiting = app.waiting;
    app.waiting = null;
    for (const fn of waiting) fn();
    if (frameAsked) paintScreen();
    if ('serviceWorker' in navigator && location.protocol.startsWith('http') && document.querySelector('link[rel=manifest]')) {
      navigator.serviceWorker.register('sw.js').catch((error) => console.warn('Tamirel: no offline copy:', error));
    }
    document.documentElement.dataset.ready = 'true';
  })();

  // For scripts and tests: what the canvas holds, read-only; the lesson's script adds its own.
  window.tamirel = { primitives: () => app.primitives(0), svg: () => app.late().then(() => app.pictureText(0, 0, 'svg')) };

  // The program cannot start: the page says why and what to do, in an alert, in Bulgarian (the
  // browser's own words for it go to the console, for whoever looks after the computer), and
  // the window stays in sight but no longer looks or acts usable, nor do the page's own keys
  // and commands (app.failed); what the user did meanwhile is dropped.
  function cannotStart(error) {
    app.waiting = null;
    app.failed = true;
    console.warn('Tamirel: cannot start:', error);
    lessonDialog.close();
    if (typeof WebAssembly !== 'object') {
      self.tamirelCannotStart('този браузър не изпълнява WebAssembly (липсва или е забранено).', true);
    } else if (error.file) {
      self.tamirelCannotStart(`файлът ${error.file} не беше зареден (${error.message}).`);
    } else {
      self.tamirelCannotStart('браузърът не успя да изпълни програмата.');
    }
  }
})();
