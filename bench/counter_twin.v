// The Verilog twin of examples/counter.vdo: a counter with an enable that starts at -1,
// and a test bench that drives the enable cycle by cycle, as the example's states do, and
// checks the same seven values at the same cycles.
module counter(input clk, input en, output reg signed [31:0] q);
    initial q = -1;
    always @(posedge clk)
        if (en)
            q <= q + 1;
endmodule

module bench;
    reg clk = 0, en = 0;
    wire signed [31:0] q;
    integer cycle = 0, correct = 0, wrong = 0;
    counter uut(.clk(clk), .en(en), .q(q));

    // The enable of cycles 0 to 8, as the test bench's states drive it.
    reg enables [0:8];
    initial begin
        enables[0] = 0; enables[1] = 0; enables[2] = 0; enables[3] = 1; enables[4] = 1;
        enables[5] = 1; enables[6] = 0; enables[7] = 1; enables[8] = 1;
    end

    task check(input integer at, input signed [31:0] actual, input signed [31:0] expected);
        if (cycle == at) begin
            if (actual === expected) correct = correct + 1;
            else wrong = wrong + 1;
        end
    endtask

    // Cycle c lasts from 10c to 10c + 10 and its clock edge comes at 10c + 5; its values
    // are read at 10c + 1, before the edge.
    always #5 clk = ~clk;

    initial begin
        for (cycle = 0; cycle <= 8; cycle = cycle + 1) begin
            en = enables[cycle];
            #1;
            check(1, q, -1); check(2, q, -1); check(3, q, -1); check(5, q, 1);
            check(6, q, 2); check(7, en, 1); check(7, q, 2);
            #9;
        end
        $display("Verificaciones correctas: %0d", correct);
        $display("Verificaciones erroneas: %0d", wrong);
        $finish;
    end
endmodule
