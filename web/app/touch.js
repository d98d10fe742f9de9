// Touch on the window's canvas: a long press opens its menu, as a right click does. It runs
// right after the window's markup, with screen.js, so a long press before the page's other
// scripts have run asks for the menu too (which the page's head keeps until they have).
'use strict';

(() => {
  const LONG_PRESS = 500;   // ms a finger rests on the canvas to open its menu
  const SLOP = 10;          // CSS px a resting finger may move

  const canvas = document.querySelector('#form canvas');
  let press = null, opened = false;
  const release = () => {
    if (press) clearTimeout(press.timer);
    press = null;
  };
  canvas.addEventListener('pointerdown', (e) => {
    if (e.pointerType === 'mouse') return;
    release();
    const { clientX, clientY } = e;
    press = {
      x: clientX, y: clientY,
      timer: setTimeout(() => {
        press = null;
        opened = true;
        canvas.dispatchEvent(new MouseEvent('contextmenu', { bubbles: true, cancelable: true, button: 2, clientX, clientY }));
      }, LONG_PRESS),
    };
  });
  canvas.addEventListener('pointermove', (e) => {
    if (press && Math.hypot(e.clientX - press.x, e.clientY - press.y) > SLOP) release();
  });
  for (const type of ['pointerup', 'pointercancel', 'pointerleave']) canvas.addEventListener(type, release);
  // The finger that opened the menu lifts without a tap, which would land on the menu.
  canvas.addEventListener('touchend', (e) => {
    if (opened && e.cancelable) e.preventDefault();
    opened = false;
  }, { passive: false });
})();
