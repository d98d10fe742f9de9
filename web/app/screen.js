// The window on every screen. The page scales the window as a whole, keeping its designed
// layout: on a touch screen (coarse pointer) as large as the viewport allows, with a mouse at
// its designed size unless the viewport is too small for it, then as large as fits. The
// browser's own zoom narrows the viewport in CSS pixels and so still enlarges the window. The
// root's --scale holds the scale for the style sheet; a change of it fires `scale` on the form.
// It runs right after the window's markup, before anything else is read, and shows the window
// once it is scaled: whole, its canvas white by the style sheet until the program paints it. The
// frame that first shows it is marked `tamirel-paint` (the benchmark's first paint).
'use strict';

(() => {
  const MARGIN = 8;         // CSS px around the window, the body's padding
  const SCROLLBARS = 40;    // CSS px, more than a scrollbar takes on any side

  const form = document.getElementById('form');
  const coarse = matchMedia('(pointer: coarse)');
  // A viewport with room for the window at its designed size, its margins and scrollbars: a
  // mouse's window stays as it is there, with no reading of the layout, so that the page is laid
  // out once, for its first frame, not also while it is read.
  const roomy = matchMedia(`(min-width: ${parseFloat(form.style.width) + 2 * MARGIN + SCROLLBARS}px) and ` +
    `(min-height: ${parseFloat(form.style.height) + 2 * MARGIN + SCROLLBARS}px)`);
  let scale = 1;

  function fit() {
    if (scale === 1 && !coarse.matches && roomy.matches) return;
    const room = document.documentElement;
    const width = form.offsetWidth, height = form.offsetHeight;
    const before = scale;
    // Again while the room changes: scrollbars that the last size needed may go with the next.
    for (let pass = 0, seen = ''; pass < 3 && seen !== `${room.clientWidth}x${room.clientHeight}`; ++pass) {
      seen = `${room.clientWidth}x${room.clientHeight}`;
      // Thousandths, rounded down, so the scaled window never passes the viewport's edge.
      const most = Math.floor(1000 * Math.min((room.clientWidth - 2 * MARGIN) / width,
        (room.clientHeight - 2 * MARGIN) / height)) / 1000;
      scale = Math.max(0.1, coarse.matches ? most : Math.min(1, most));
      form.style.transform = scale === 1 ? '' : `scale(${scale})`;
      // The page's height follows the scaled window, not its designed one.
      form.style.marginBottom = scale === 1 ? '' : `${height * (scale - 1)}px`;
      form.style.marginLeft = coarse.matches ? Math.max(0, (room.clientWidth - 2 * MARGIN - width * scale) / 2) + 'px' : '';
    }
    if (scale === before) return;
    room.style.setProperty('--scale', String(scale));
    form.dispatchEvent(new Event('scale'));
  }
  fit();
  form.classList.add('fitted');
  requestAnimationFrame(() => performance.mark('tamirel-paint'));
  window.addEventListener('resize', fit);
  coarse.addEventListener('change', fit);
})();
