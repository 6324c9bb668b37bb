// Lets the page start with no network: registers service-worker.js, which
// keeps this build's files. Browsers allow service workers only on https://
// pages and on localhost; elsewhere the page simply needs the network.
if ('serviceWorker' in navigator) {
  // After the page has loaded: the copy's downloads do not slow the first
  // start. Only where page.js started the program: a browser without WebGL
  // would keep a megabyte it cannot run.
  window.addEventListener('load', () => {
    if (!document.querySelector('script[src="waterfall.js"]')) return;
    navigator.serviceWorker.register('service-worker.js').catch((error) =>
      console.warn('Water Fall will not run offline:', error.message));
  });
}
