// Copying and saving pictures in the core's formats: the drawing (the canvas's menu, Ctrl+C on
// the canvas, Ctrl+S anywhere), and the helpers the lesson's and the construction's pictures
// use too. The lesson's module writes every picture, so the drawing's first copy or save loads
// it (app.late). Messages in a dialog over the page.
'use strict';

(() => {
  const app = self.tamirelApp;
  const EXPORT_SIDE = 1000, EXPORT_PEN = 3;

  app.showMessage = (text) => {
    const dialog = document.getElementById('message');
    dialog.querySelector('span').textContent = text;
    if (!dialog.open) dialog.showModal();
  };

  // The window's drawing as it is now: its background, its canvas's scale, its description and
  // its primitives, what a copy or save of it is made of.
  const drawingNow = () => {
    const own = app.program;
    return { background: own._tamirel_background(), scale: [own._tamirel_scale(0), own._tamirel_scale(1)],
      description: document.getElementById('description').textContent, primitives: app.primitives(0) };
  };

  function exportCanvas(held) {
    const image = document.createElement('canvas');
    image.width = image.height = EXPORT_SIDE;
    const ctx = image.getContext('2d');
    ctx.fillStyle = app.cssColour(held.background);
    ctx.fillRect(0, 0, EXPORT_SIDE, EXPORT_SIDE);
    app.paint(ctx, EXPORT_SIDE, EXPORT_PEN, held.primitives);
    return image;
  }

  // The formats a picture is offered in, in the save dialog's order (the core's list): those
  // the core writes, and PNG, which the page makes. PDF is left out: the page makes none.
  let formats = null;
  app.formats = () => formats ??= JSON.parse(app.lessonProgram.UTF8ToString(app.lessonProgram._tamirel_formats()))
    .map((format, index) => ({ ...format, index })).filter((format) => format.text || format.id === 'png');

  // Picture `picture` ({what, option(), png?(), name, failure, held?}: the core's picture `what`
  // with its option, an own PNG maker where the page paints one, the file's name without its
  // extension, the message of a failed copy, and for the drawing (`what` 0) the drawing as it
  // was asked for) in `format`, as a Blob or its promise; PNG by default from the same
  // picture's SVG.
  function blob(picture, format) {
    if (format.text) return new Blob([app.pictureText(picture.what, picture.option(), format.id, picture.held)], { type: format.mime });
    return picture.png ? picture.png() : app.svgToPng(blob(picture, app.formats().find((f) => f.id === 'svg')));
  }
  // The core's picture `what` with `option` in the text format `id` ("svg", "tikz"); the drawing
  // (`what` 0) as `held`, by default as it is now.
  app.pictureText = (what, option, id, held) => {
    const program = app.lessonProgram;
    if (what === 0) handDrawing(program, held || drawingNow());
    return program.UTF8ToString(program._tamirel_picture(what, option, app.formats().find((f) => f.id === id).index));
  };

  // The window's drawing (drawingNow's), handed to the lesson's module.
  function handDrawing(program, held) {
    const text = held.description, bytes = program.lengthBytesUTF8(text);
    program.stringToUTF8(text, program._tamirel_drawing(held.background, held.scale[0], held.scale[1], bytes), bytes + 1);
    for (const p of held.primitives) program._tamirel_drawing_add(p.kind, p.style, p.x1, p.y1, p.x2, p.y2);
  }

  // Copies a picture in every format the browser's clipboard takes (as ClipboardItem.supports
  // says where it can): all of them, else PNG and SVG, else PNG alone; the message of
  // `picture.failure` when the browser keeps the clipboard closed.
  app.copyPicture = async (picture) => {
    const takes = (f) => !ClipboardItem.supports || ClipboardItem.supports(f.mime);
    const all = app.formats().filter(takes).map((f) => f.mime);
    for (const wanted of [all, ['image/png', 'image/svg+xml'], ['image/png']]) {
      try {
        const chosen = app.formats().filter((f) => wanted.includes(f.mime));
        await navigator.clipboard.write([new ClipboardItem(Object.fromEntries(chosen.map((f) => [f.mime, blob(picture, f)])))]);
        return;
      } catch (error) {
        if (wanted.length > 1) continue;
        // The browser's own words (English) for whoever looks further; the pupil reads why.
        console.warn('Tamirel: the clipboard refused:', error);
        app.showMessage(picture.failure + ': браузърът не позволи достъп до клипборда. Опитайте отново.');
      }
    }
  };

  function download(file, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(file);
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // Asks for one of the formats and downloads the picture as `picture.name` with its extension.
  app.savePicture = (picture) => {
    const dialog = document.getElementById('save-dialog');
    const choices = dialog.querySelector('form');
    if (!choices.querySelector('[data-format]')) {
      choices.prepend(...app.formats().map((format) => {
        const button = document.createElement('button');
        button.value = format.id;
        button.dataset.format = '';
        button.textContent = format.name;
        return button;
      }));
    }
    const back = document.activeElement;
    dialog.onclose = async () => {
      if (back) back.focus();
      const format = app.formats().find((f) => f.id === dialog.returnValue);
      if (format) download(await blob(picture, format), `${picture.name}.${format.extension}`);
    };
    dialog.returnValue = '';
    dialog.showModal();
  };

  // The canvas as a PNG that records the resolution at which it prints as wide as the core
  // says (an A4 page's text), in a pHYs chunk right after the header: a canvas's own PNG says
  // nothing, and a word processor then takes 96 dpi and makes it far too large.
  app.printedPng = async (c) => {
    const png = new Uint8Array(await (await new Promise((resolve) => c.toBlob(resolve, 'image/png'))).arrayBuffer());
    const perMetre = Math.round(c.width / app.lessonProgram._tamirel_printed_width());
    const chunk = new Uint8Array(21);
    const view = new DataView(chunk.buffer);
    view.setUint32(0, 9);
    chunk.set([0x70, 0x48, 0x59, 0x73], 4);   // "pHYs"
    view.setUint32(8, perMetre);
    view.setUint32(12, perMetre);
    chunk[16] = 1;   // the unit: the metre
    let crc = ~0;
    for (const byte of chunk.subarray(4, 17)) {
      crc ^= byte;
      for (let k = 0; k < 8; k++) crc = (crc >>> 1) ^ (0xEDB88320 & -(crc & 1));
    }
    view.setUint32(17, ~crc >>> 0);
    const header = 8 + 25;   // the signature and IHDR
    return new Blob([png.subarray(0, header), chunk, png.subarray(header)], { type: 'image/png' });
  };

  // A PNG of an SVG document, drawn at one pixel a unit, so both give the same picture.
  app.svgToPng = async (svg) => {
    const image = new Image();
    image.src = URL.createObjectURL(svg);
    await image.decode();
    const c = document.createElement('canvas');
    c.width = image.naturalWidth;
    c.height = image.naturalHeight;
    c.getContext('2d').drawImage(image, 0, 0);
    URL.revokeObjectURL(image.src);
    return app.printedPng(c);
  };

  // The drawing as its copy or save was asked for: taken in turn after what was asked before it,
  // and kept while the lesson's module that writes it loads, so a "Чисти" meanwhile does not
  // change it.
  const notCopied = 'Чертежът не беше копиран';
  const drawing = (held) => ({ what: 0, option: () => 0, name: 'tamirel', failure: notCopied, held,
    png: () => app.printedPng(exportCanvas(held)) });
  const withPictures = (fn, failure) => {
    if (app.failed) return;
    const loaded = app.late();
    loaded.catch(() => {});
    app.act(() => {
      const held = drawingNow();
      loaded.then(() => app.act(() => fn(drawing(held))), (error) => app.showMessage(`${failure}: ${error.reason}`));
    });
  };
  const copyDrawing = () => withPictures(app.copyPicture, notCopied);
  const saveDrawing = () => withPictures(app.savePicture, 'Чертежът не беше запазен');
  Object.assign(app.commands, { copy: copyDrawing, save: saveDrawing });

  // The canvas's context menu: a right click, the Menu key or Shift+F10.
  const canvas = app.canvas;
  const menu = document.getElementById('menu');
  const items = [...menu.querySelectorAll('[role=menuitem]')];
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
      app.commands[items[Math.max(i, 0)].dataset.command]();
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
    app.commands[item.dataset.command]();
  });
  menu.addEventListener('focusout', (e) => { if (!menu.contains(e.relatedTarget)) menu.hidden = true; });

  canvas.addEventListener('contextmenu', (e) => {
    e.preventDefault();
    const r = canvas.getBoundingClientRect();
    const keyboard = e.button !== 2 || (e.clientX === 0 && e.clientY === 0);
    openMenu(keyboard ? r.left + r.width / 2 : e.clientX, keyboard ? r.top + r.height / 2 : e.clientY);
  });
  canvas.addEventListener('keydown', (e) => {
    if ((e.ctrlKey || e.metaKey) && self.tamirelKey(e).toLowerCase() === 'c') {
      e.preventDefault();
      copyDrawing();
    }
  });
  document.addEventListener('keydown', (e) => {
    if ((e.ctrlKey || e.metaKey) && self.tamirelKey(e).toLowerCase() === 's' && !app.failed) {
      e.preventDefault();
      saveDrawing();
    }
  });
})();
