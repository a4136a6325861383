// window.external of the program's own pages. A call of any method name is
// a page call (id 1) with the call's arguments; the program takes the last
// one when it is a string. Calls made before the channel is up wait and go
// in their order. Runs inside a function that also holds qwebchannel.js,
// so neither leaves a name behind in the page.
(function () {
    'use strict';
    if (location.protocol + '//' + location.host + location.pathname !== '@PAGE_URL@')
        return;
    var DISPID_PAGECALL = 1;
    var bridge = null;
    var waiting = [];

    function send(args) {
        if (bridge)
            bridge.Invoke(DISPID_PAGECALL, args);
        else
            waiting.push(args);
    }

    new QWebChannel(qt.webChannelTransport, function (channel) {
        bridge = channel.objects.external;
        waiting.forEach(function (args) { bridge.Invoke(DISPID_PAGECALL, args); });
        waiting = [];
    });

    var external = new Proxy({}, {
        get: function (target, name) {
            if (typeof name !== 'string')
                return undefined;
            return function () { send(Array.prototype.slice.call(arguments)); };
        },
        set: function () { return true; },
        deleteProperty: function () { return true; }
    });
    Object.defineProperty(window, 'external', { value: external, writable: false, configurable: false });
})();
