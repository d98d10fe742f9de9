// Copying and saving pictures: the drawing (the canvas's menu, Ctrl+C on the canvas, Ctrl+S
// anywhere), and the helpers the lesson's and the construction's pictures use too. Messages
// in a dialog over the page.
'use strict';

(() => {
  const app = self.tamirelApp;
  const EXPORT_SIDE = 1000, EXPORT_PEN = 3;

  app.showMessage = (text) => {
    const dialog = document.getElementById('message');
    dialog.querySelector('span').textContent = text;
    if (!dialog.open) dialog.showModal();
  };

  function exportCanvas() {
    const image = document.createElement('canvas');
    image.width = image.height = EXPORT_SIDE;
    const ctx = image.getContext('2d');
    ctx.fillStyle = app.background();
    ctx.fillRect(0, 0, EXPORT_SIDE, EXPORT_SIDE);
    app.paint(ctx, EXPORT_SIDE, EXPORT_PEN, app.primitives(0));
    return image;
  }
  const pngBlob = () => new Promise((resolve) => exportCanvas().toBlob(resolve, 'image/png'));
  const svgBlob = () => new Blob([app.program.UTF8ToString(app.program._tamirel_svg())], { type: 'image/svg+xml' });

  // Copies a picture as PNG and SVG, or as PNG alone where the browser takes no SVG; `failure`
  // opens the message shown when the browser keeps the clipboard closed.
  app.copyPicture = async (png, svg, failure) => {
    try {
      await navigator.clipboard.write([new ClipboardItem({ 'image/png': png(), 'image/svg+xml': svg() })]);
    } catch {
      try {
        await navigator.clipboard.write([new ClipboardItem({ 'image/png': png() })]);
      } catch (error) {
        app.showMessage(failure + ': браузърът не позволи достъп до клипборда.\n' + error.message);
      }
    }
  };

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
  app.savePicture = (png, svg, name) => {
    const dialog = document.getElementById('save-dialog');
    const back = document.activeElement;
    dialog.onclose = async () => {
      if (back) back.focus();
      if (dialog.returnValue === 'png') download(await png(), name + '.png');
      if (dialog.returnValue === 'svg') download(svg(), name + '.svg');
    };
    dialog.returnValue = '';
    dialog.showModal();
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
    return new Promise((resolve) => c.toBlob(resolve, 'image/png'));
  };

  const copyDrawing = () => app.act(() => app.copyPicture(pngBlob, svgBlob, 'Чертежът не беше копиран'));
  const saveDrawing = () => app.act(() => app.savePicture(pngBlob, svgBlob, 'tamirel'));
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
    if ((e.ctrlKey || e.metaKey) && e.key.toLowerCase() === 'c') {
      e.preventDefault();
      copyDrawing();
    }
  });
  document.addEventListener('keydown', (e) => {
    if ((e.ctrlKey || e.metaKey) && e.key.toLowerCase() === 's') {
      e.preventDefault();
      saveDrawing();
    }
  });
})();
